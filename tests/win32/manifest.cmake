# Checks that walk-converter.exe (EXE) carries the application manifest its windows rely on:
# common controls 6, per-monitor DPI awareness (v2) and paths beyond 260 characters.
file(STRINGS "${EXE}" manifest REGEX "Common-Controls|dpiAwareness|longPathAware")
foreach(declared
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6[.]0[.]0[.]0\""
        "<dpiAwareness[^>]*>PerMonitorV2"
        "<longPathAware[^>]*>true</longPathAware>")
    if(NOT manifest MATCHES "${declared}")
        message(FATAL_ERROR "${EXE} declares no ${declared} in its application manifest")
    endif()
endforeach()

# Checks that the executable EXE carries an application manifest that declares itself aware of
# long paths; without it Windows refuses paths beyond 260 characters.
file(STRINGS "${EXE}" manifest REGEX "longPathAware")
if(NOT manifest MATCHES "<longPathAware[^>]*>true</longPathAware>")
    message(FATAL_ERROR "${EXE} declares no longPathAware in an application manifest")
endif()

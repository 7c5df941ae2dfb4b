#include "app/graph_keys.h"

#include <array>
#include <utility>

namespace walkconv::app {

namespace {

constexpr std::array kShortcuts{
    Shortcut{Key::G, true, false, GraphCommand::GoTo, false, "Ctrl+G"},
    Shortcut{Key::Z, true, false, GraphCommand::Undo, false, "Ctrl+Z"},
    Shortcut{Key::Y, true, false, GraphCommand::Redo, false, "Ctrl+Y"},
    Shortcut{Key::Z, true, true, GraphCommand::Redo, false, "Ctrl+Shift+Z"},
    Shortcut{Key::Insert, true, false, GraphCommand::AddPoint, false, "Ctrl+Insert"},
    Shortcut{Key::D, true, false, GraphCommand::DropToDeck, false, "Ctrl+D"},
    Shortcut{Key::Delete, true, false, GraphCommand::Remove, false, "Ctrl+Delete"},
    Shortcut{Key::Delete, false, false, GraphCommand::Remove, true, "Delete"},
    Shortcut{Key::S, true, false, GraphCommand::Save, false, "Ctrl+S"},
    Shortcut{Key::S, true, true, GraphCommand::SaveAs, false, "Ctrl+Shift+S"},
    Shortcut{Key::E, true, true, GraphCommand::SavePicture, false, "Ctrl+Shift+E"},
};

}  // namespace

std::span<const Shortcut> GraphShortcuts() {
    return kShortcuts;
}

Key KeyOfCode(int code, int insertCode, int deleteCode) {
    constexpr std::array kLetters{std::pair{'G', Key::G}, std::pair{'Z', Key::Z},
                                  std::pair{'Y', Key::Y}, std::pair{'S', Key::S},
                                  std::pair{'E', Key::E}, std::pair{'D', Key::D}};
    for (const auto& [letter, key] : kLetters) {
        if (code == letter) {
            return key;
        }
    }
    return code == insertCode ? Key::Insert : code == deleteCode ? Key::Delete : Key::Other;
}

std::optional<GraphCommand> CommandFor(const KeyPress& press) {
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.key == press.key && shortcut.ctrl == press.ctrl &&
            shortcut.shift == press.shift && (!shortcut.viewsOnly || press.focusInViews)) {
            return shortcut.command;
        }
    }
    return std::nullopt;
}

std::string_view ShortcutText(GraphCommand command) {
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.command == command) {
            return shortcut.text;
        }
    }
    return {};
}

}  // namespace walkconv::app

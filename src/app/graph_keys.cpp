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
    Shortcut{Key::A, true, false, GraphCommand::SelectAll, true, "Ctrl+A"},
    Shortcut{Key::M, true, false, GraphCommand::Mirror, false, "Ctrl+M"},
    Shortcut{Key::Left, false, false, GraphCommand::NudgeLeft, true, "Left"},
    Shortcut{Key::Right, false, false, GraphCommand::NudgeRight, true, "Right"},
    Shortcut{Key::Up, false, false, GraphCommand::NudgeUp, true, "Up"},
    Shortcut{Key::Down, false, false, GraphCommand::NudgeDown, true, "Down"},
    Shortcut{Key::Left, false, true, GraphCommand::FineLeft, true, "Shift+Left"},
    Shortcut{Key::Right, false, true, GraphCommand::FineRight, true, "Shift+Right"},
    Shortcut{Key::Up, false, true, GraphCommand::FineUp, true, "Shift+Up"},
    Shortcut{Key::Down, false, true, GraphCommand::FineDown, true, "Shift+Down"},
};

}  // namespace

std::span<const Shortcut> GraphShortcuts() {
    return kShortcuts;
}

Key KeyOfCode(int code, int insertCode, int deleteCode) {
    constexpr std::array kLetters{std::pair{'G', Key::G}, std::pair{'Z', Key::Z},
                                  std::pair{'Y', Key::Y}, std::pair{'S', Key::S},
                                  std::pair{'E', Key::E}, std::pair{'D', Key::D},
                                  std::pair{'A', Key::A}, std::pair{'M', Key::M}};
    for (const auto& [letter, key] : kLetters) {
        if (code == letter) {
            return key;
        }
    }
    return code == insertCode ? Key::Insert : code == deleteCode ? Key::Delete : Key::Other;
}

Key KeyOfCode(int code, const KeyCodes& codes) {
    constexpr std::array kArrows{&KeyCodes::left, &KeyCodes::right, &KeyCodes::up, &KeyCodes::down};
    constexpr std::array kArrowKeys{Key::Left, Key::Right, Key::Up, Key::Down};
    for (std::size_t i = 0; i < kArrows.size(); ++i) {
        if (code == codes.*kArrows[i]) {
            return kArrowKeys[i];
        }
    }
    return KeyOfCode(code, codes.insert, codes.del);
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

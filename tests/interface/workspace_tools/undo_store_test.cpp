// Sequences of transformations, undo, redo, typing and caret moves over one grammar window's
// store, with the text the window would show and the state of the two buttons.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "undo_store.h"

namespace {

struct Editor {
    UndoStore store;
    UndoStore::Step shown{"A", 0, 1};

    // "T:x" transform to x; "E:x" type so that the text is x; "C:n" caret to n; "N:n" notation
    // n; "U" undo; "R" redo.
    void Run(const std::string& script)
    {
        std::istringstream in(script);
        for (std::string op; in >> op;) {
            const std::string arg = op.size() > 2 ? op.substr(2) : "";
            switch (op[0]) {
            case 'T':
                store.Add(shown);
                shown.text = arg;
                shown.caret = 0;
                shown.notation = 1;
                break;
            case 'E': shown.text = arg; break;
            case 'C':
                shown.caret = std::stoll(arg);
                store.SetCaret(shown.caret);
                break;
            case 'N': shown.notation = std::stoi(arg); break;
            case 'U':
                if (auto s = store.Undo(shown)) shown = *s;
                break;
            case 'R':
                if (auto s = store.Redo(shown)) shown = *s;
                break;
            }
        }
    }
    std::string Buttons() const
    {
        const auto b = store.ButtonState();
        return std::string(b.undoImage) + (b.undoEnabled ? "+" : "-") + " " + b.redoImage + (b.redoEnabled ? "+" : "-");
    }
};

struct Case {
    const char* script;
    const char* text;  // what the window shows at the end
    int pos, count;
    const char* buttons;
};

const Case cases[] = {
    {"", "A", 0, 0, "StopUndo_Tr- StopRedo_Tr-"},
    {"T:B", "B", 1, 1, "Undo_Tr+ StopRedo_Tr-"},
    {"T:B U", "A", 1, 2, "StopUndo_Tr- Redo_Tr+"},
    {"T:B U R", "B", 2, 2, "Undo_Tr+ StopRedo_Tr-"},
    {"T:B U U", "A", 1, 2, "StopUndo_Tr- Redo_Tr+"},
    {"T:B U R R", "B", 2, 2, "Undo_Tr+ StopRedo_Tr-"},
    {"T:B T:C U", "B", 2, 3, "Undo_Tr+ Redo_Tr+"},
    // Transform twice, undo twice, transform again: four steps, the old redo steps kept.
    {"T:B T:C U U T:D", "D", 4, 4, "Undo_Tr+ StopRedo_Tr-"},
    {"T:B T:C U U T:D U", "A", 4, 5, "Undo_Tr+ Redo_Tr+"},
    {"T:B T:C U U T:D U U", "C", 3, 5, "Undo_Tr+ Redo_Tr+"},
    {"T:B T:C U U T:D U U U U", "A", 1, 5, "StopUndo_Tr- Redo_Tr+"},
    // Typing after a step was shown survives a move away and back.
    {"T:B U E:A2 R U", "A2", 1, 2, "StopUndo_Tr- Redo_Tr+"},
    {"T:B T:C U E:B2 U R", "B2", 2, 3, "Undo_Tr+ Redo_Tr+"},
    {"T:B T:C U U E:A2 R R U U", "A2", 1, 3, "StopUndo_Tr- Redo_Tr+"},
    // Typing after the transformation, before the first Undo, is what Redo returns to.
    {"T:B E:B2 U R", "B2", 2, 2, "Undo_Tr+ StopRedo_Tr-"},
    // Undo at the first step and Redo at the last change nothing, typing included.
    {"T:B U E:A2 U", "A2", 1, 2, "StopUndo_Tr- Redo_Tr+"},
    {"T:B U R E:B2 R", "B2", 2, 2, "Undo_Tr+ StopRedo_Tr-"},
};

TEST(UndoStore, Sequences)
{
    for (const Case& c : cases) {
        Editor e;
        e.Run(c.script);
        SCOPED_TRACE(c.script);
        EXPECT_EQ(e.shown.text, c.text);
        EXPECT_EQ(e.store.Pos(), c.pos);
        EXPECT_EQ(e.store.Count(), c.count);
        EXPECT_EQ(e.Buttons(), c.buttons);
    }
}

TEST(UndoStore, CaretAndNotationComeBackWithTheirStep)
{
    Editor e;
    e.Run("N:4 C:5 T:B U C:3 R C:1 U");
    EXPECT_EQ(e.shown.text, "A");
    EXPECT_EQ(e.shown.caret, 3);
    EXPECT_EQ(e.shown.notation, 4);
    e.Run("R");
    EXPECT_EQ(e.shown.caret, 1);
    EXPECT_EQ(e.shown.notation, 1);
}

TEST(UndoStore, CaretOfTheTransformedTextDoesNotOverwriteTheStepBeforeIt)
{
    Editor e;
    e.Run("C:7 T:B C:1 U");
    EXPECT_EQ(e.shown.text, "A");
    EXPECT_EQ(e.shown.caret, 7);
}

TEST(UndoStore, ClearEmptiesTheStore)
{
    Editor e;
    e.Run("T:B U");
    e.store.Clear();
    EXPECT_EQ(e.store.Count(), 0);
    EXPECT_EQ(e.store.Pos(), 0);
    EXPECT_FALSE(e.store.Pending());
    EXPECT_FALSE(e.store.Undo(e.shown).has_value());
    EXPECT_FALSE(e.store.Redo(e.shown).has_value());
}

} // namespace

// The texts a grammar window held before each transformation, so that the user can step back
// and forth through them. Plain data: the window shows what the store hands back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class UndoStore {
public:
    struct Step {
        std::string text; // CR LF line ends, as the editor gives it
        std::int64_t caret = 0; // 0-based, CR LF counted as two
        std::int32_t notation = 1;
    };
    struct Buttons {
        const char* undoImage;
        bool undoEnabled;
        const char* redoImage;
        bool redoEnabled;
    };

    // Before a transformation: what the editor shows becomes the newest step, and the text the
    // transformation leaves is pending until the first Undo stores it.
    void Add(const Step& shown);
    // The step to show, or nothing when the position does not move. `shown` is what the editor
    // holds now: a text edited since its step was shown replaces that step, so moving away and
    // back does not lose the typing.
    std::optional<Step> Undo(const Step& shown);
    std::optional<Step> Redo(const Step& shown);
    // The caret of the step shown now; ignored while the transformed text is pending.
    void SetCaret(std::int64_t caret);
    void Clear();

    int Count() const { return static_cast<int>(steps_.size()); }
    int Pos() const { return pos_; }
    bool Pending() const { return pending_; }
    const Step& At(int pos) const { return steps_.at(static_cast<std::size_t>(pos - 1)); }
    Buttons ButtonState() const;

private:
    void keepEdits(const Step& shown);

    std::vector<Step> steps_;
    int pos_ = 0; // 1..Count, 0 while empty
    bool pending_ = false;
};

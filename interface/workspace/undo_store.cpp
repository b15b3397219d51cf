// Steps are only appended; a step after the one shown is never dropped, so a later
// transformation keeps the old redo steps reachable by Undo.
#include "undo_store.h"

void UndoStore::Add(const Step& shown)
{
    steps_.push_back(shown);
    pos_ = Count();
    pending_ = true;
}

void UndoStore::keepEdits(const Step& shown)
{
    Step& current = steps_[static_cast<std::size_t>(pos_ - 1)];
    if (current.text != shown.text) current = shown;
}

std::optional<UndoStore::Step> UndoStore::Undo(const Step& shown)
{
    if (pos_ == Count() && pending_) {
        Add(shown);
        pending_ = false;
    } else if (pos_ > 1) {
        keepEdits(shown);
    }
    if (pos_ <= 1) return std::nullopt;
    --pos_;
    return At(pos_);
}

std::optional<UndoStore::Step> UndoStore::Redo(const Step& shown)
{
    if (pos_ >= Count()) return std::nullopt;
    keepEdits(shown);
    ++pos_;
    return At(pos_);
}

void UndoStore::SetCaret(std::int64_t caret)
{
    if (pos_ != 0 && !pending_) steps_[static_cast<std::size_t>(pos_ - 1)].caret = caret;
}

void UndoStore::Clear()
{
    steps_.clear();
    pos_ = 0;
    pending_ = false;
}

UndoStore::Buttons UndoStore::ButtonState() const
{
    const int n = Count();
    if (n < 1) return {"StopUndo_Tr", false, "StopRedo_Tr", false};
    if (n == 1) return {"Undo_Tr", true, "StopRedo_Tr", false};
    if (pos_ < 2) return {"StopUndo_Tr", false, "Redo_Tr", true};
    if (pos_ != n) return {"Undo_Tr", true, "Redo_Tr", true};
    return {"Undo_Tr", true, "StopRedo_Tr", false};
}

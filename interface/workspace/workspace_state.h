// Program-wide state that only the grammar workspace reads and writes.
#pragma once

#include <QPixmap>
#include <QString>
#include <vector>

namespace ModuleMain {

// The navigation key of the result window that last took the focus.
inline QString ActiveNodeKey;
// The rotated column titles of the grids of one run, 1..N+T+1 (entry 0 unused); an empty
// pixmap where a one-character terminal is shown as text.
inline std::vector<QPixmap> TitlePictures;
// Height of the title row and width of the title column, in pixels.
inline int TitleLength = 0;
// Height of one line of title text, in pixels.
inline int TitleTextHeight = 0;

// Where an untitled grammar's run writes its files; empty: the user's documents folder.
inline QString UntitledWorkFolder;

} // namespace ModuleMain

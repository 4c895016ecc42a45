#pragma once
// The pictures of contents and index entries, drawn here at 16 x 16
// pixels: the 42 contents-entry icons (books, folders and pages in several
// colours, chosen by an entry's "ImageNumber") and the three kinds of index
// entry, and the merge reference.

#include <QIcon>

namespace mb {

inline constexpr int kEntryIconCount = 42;
inline constexpr int kEntryIconSize = 16;
// The closed book and the plain page among them.
inline constexpr int kBookIcon = 0;
inline constexpr int kPageIcon = 10;

// Contents icon `index` (0 to 41); an index outside that range gives the
// plain page (10).
const QIcon& ContentsIcon(int index);
// The icon of an index entry by its "Type": 0 a keyword with one topic, 4 a
// keyword with several topics, 5 one topic of such a keyword.
const QIcon& IndexIcon(int type);
// The icon of a contents entry that stands for a merged help file.
const QIcon& MergeReferenceIcon();

} // namespace mb

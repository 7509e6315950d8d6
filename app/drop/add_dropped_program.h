#pragma once
// Adding a program to the panel by dropping its executable file onto it: the icon file and
// the image file in IconFolder, and one appended entry in the store.

#include <functional>
#include <string>
#include <string_view>

namespace app::drop {

// Makes IconFolder (RunDirectory followed by "\tubiao") when nothing has that name, takes the
// base name from the last path component of `droppedText`, which must split at its one dot
// into the base name and exactly "exe", writes the program's icon as IconFolder\<name>.ICO
// and a byte copy as IconFolder\<name>.jpg, and appends (record count, dropped text, image
// file path) to the store selected by `storeAlias`.
//
// Returns empty when the text is empty or its last component does not split into exactly two
// pieces at dots; the image file's name (<name>.jpg) when the entry was appended; otherwise
// the base name. <name> is the base name, or the base name with "_2", "_3", ... when an entry
// of another program already uses that name. Nothing is written unless the store can be
// selected and the extractor really wrote an icon, and nothing is appended unless both files
// were written.
std::string addDroppedProgram(const std::string& droppedText, const std::string& runDirectory,
                              std::string_view storeAlias);

// The got-files handler: adds the dropped program and, whenever the result is not empty,
// rebuilds the grid.
void handleDroppedFiles(const std::string& droppedText, const std::string& runDirectory,
                        std::string_view storeAlias, const std::function<void()>& rebuildTiles);

}  // namespace app::drop

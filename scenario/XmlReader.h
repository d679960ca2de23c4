#pragma once

#include "scenario/DataFile.h"
#include "scenario/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Reads a data file of the XML format from its bytes, as a file of `kind`
// (which its folder gives; the root element does not count) listed as
// `fileName`, with the cards' written texts when `texts` asks for them. Each content becomes the content of the classic
// kind the format's table names, with that kind's fields, or of a kind only XML has; texts are Unicode. Reads
// completely or not at all: nothing when the bytes are not well-formed XML, even without the control bytes the engine
// removes.
std::optional<DataFile> ReadXmlDataFile(std::string fileName, FileKind kind, FileBytes bytes,
                                        DataFileTexts texts = DataFileTexts::Searched);

// The kind of data file a folder of an XML scenario holds, by the folder's
// name (letter case ignored): Area, Battle, Package, CastCard (a cast
// member: Mate), ItemCard, SkillCard, BeastCard, InfoCard.
std::optional<FileKind> KindOfXmlFolder(std::string_view folderName);

// How the format writes values: a number is decimal with XML white space
// around it allowed, an optional sign, and a fraction that is cut off ("3.7"
// reads 3, "-2.5" -2, ".5" 0); anything else, or a value outside 32 bits,
// is no number. A boolean is "true" in any letter case or "1".
std::optional<std::int32_t> XmlNumber(std::string_view text);
bool XmlBoolean(std::string_view text);

// An escaped text decoded: a backslash and "n" is a line break, a backslash
// and any other character that character; a backslash at the very end is dropped.
std::string UnescapedXmlText(std::string_view text);

}  // namespace quorvel

#pragma once

#include "search/TextPatternSearch.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QMenu;

namespace quorvel {

// What the search bar asks for: the pattern as typed, its options and the
// kinds of text to search.
struct TextSearchRequest {
    std::string pattern;  // UTF-8
    TextPatternOptions options;
    std::bitset<TextFieldCount> fields = std::bitset<TextFieldCount>().set();
};

// The text search's bar above the lists: the pattern field with the recent
// patterns, the option checkboxes, the kinds of text as checkable items of
// a menu button, and 検索. Its parts carry object names: "textPattern",
// "textCase", "textRegex", "textWhole", "textJoinLines", "textKinds",
// "textSearch".
class TextSearchBar : public QWidget {
public:
    // `search` runs when 検索 is clicked or Return is pressed in the pattern field.
    TextSearchBar(std::function<void(const TextSearchRequest&)> search, QWidget* parent);

    TextSearchRequest request() const;
    void setRequest(const TextSearchRequest& request);
    // The recent patterns, latest first, as the field offers them.
    std::vector<std::string> recentPatterns() const;
    void setRecentPatterns(const std::vector<std::string>& patterns);
    // Puts a pattern first among the recent ones, keeping ten.
    void rememberPattern(const std::string& pattern);
    void focusPattern();

private:
    std::function<void(const TextSearchRequest&)> search_;
    QComboBox* pattern_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* regex_ = nullptr;
    QCheckBox* whole_ = nullptr;
    QCheckBox* joinLines_ = nullptr;
    QMenu* kinds_ = nullptr;
};

}  // namespace quorvel

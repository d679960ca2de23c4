#include "app/TextSearchBar.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace quorvel {

namespace {

// The recent patterns the field offers.
constexpr int RecentPatterns = 10;

QCheckBox* optionBox(const char* caption, const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

}  // namespace

TextSearchBar::TextSearchBar(std::function<void(const TextSearchRequest&)> search, QWidget* parent)
    : QWidget(parent), search_(std::move(search))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    pattern_ = new QComboBox(this);
    pattern_->setObjectName(QStringLiteral("textPattern"));
    pattern_->setEditable(true);
    pattern_->setInsertPolicy(QComboBox::NoInsert);
    pattern_->setMinimumContentsLength(24);
    pattern_->lineEdit()->setPlaceholderText(QStringLiteral("テキストを検索 (Ctrl+Shift+F)"));
    matchCase_ = optionBox("大文字と小文字・全角と半角を区別", "textCase", this);
    regex_ = optionBox("正規表現", "textRegex", this);
    whole_ = optionBox("全体が一致", "textWhole", this);
    joinLines_ = optionBox("改行を無視", "textJoinLines", this);
    auto* kindsButton = new QToolButton(this);
    kindsButton->setObjectName(QStringLiteral("textKinds"));
    kindsButton->setText(QStringLiteral("対象"));
    kindsButton->setPopupMode(QToolButton::InstantPopup);
    kinds_ = new QMenu(kindsButton);
    for (std::size_t field = 0; field < TextFieldCount; ++field) {
        QAction* kind = kinds_->addAction(QString::fromUtf8(TextFieldWord(static_cast<TextField>(field))));
        kind->setCheckable(true);
        kind->setChecked(true);
    }
    kindsButton->setMenu(kinds_);
    auto* searchButton = new QPushButton(QStringLiteral("検索"), this);
    searchButton->setObjectName(QStringLiteral("textSearch"));
    layout->addWidget(pattern_, 1);
    for (QWidget* part :
         std::initializer_list<QWidget*>{matchCase_, regex_, whole_, joinLines_, kindsButton, searchButton})
        layout->addWidget(part);
    const auto run = [this] {
        if (!request().pattern.empty())
            search_(request());
    };
    connect(searchButton, &QPushButton::clicked, this, run);
    connect(pattern_->lineEdit(), &QLineEdit::returnPressed, this, run);
}

TextSearchRequest TextSearchBar::request() const
{
    TextSearchRequest request;
    request.pattern = pattern_->currentText().toStdString();
    request.options = {.matchCase = matchCase_->isChecked(),
                       .regex = regex_->isChecked(),
                       .wholeField = whole_->isChecked(),
                       .joinLines = joinLines_->isChecked()};
    const QList<QAction*> kinds = kinds_->actions();
    for (qsizetype field = 0; field < kinds.size(); ++field)
        request.fields.set(static_cast<std::size_t>(field), kinds[field]->isChecked());
    return request;
}

void TextSearchBar::setRequest(const TextSearchRequest& request)
{
    pattern_->setCurrentText(QString::fromStdString(request.pattern));
    matchCase_->setChecked(request.options.matchCase);
    regex_->setChecked(request.options.regex);
    whole_->setChecked(request.options.wholeField);
    joinLines_->setChecked(request.options.joinLines);
    const QList<QAction*> kinds = kinds_->actions();
    for (qsizetype field = 0; field < kinds.size(); ++field)
        kinds[field]->setChecked(request.fields.test(static_cast<std::size_t>(field)));
}

std::vector<std::string> TextSearchBar::recentPatterns() const
{
    std::vector<std::string> patterns;
    for (int i = 0; i < pattern_->count(); ++i)
        patterns.push_back(pattern_->itemText(i).toStdString());
    return patterns;
}

void TextSearchBar::setRecentPatterns(const std::vector<std::string>& patterns)
{
    const QString typed = pattern_->currentText();
    pattern_->clear();
    for (const std::string& pattern : patterns)
        if (!pattern.empty() && pattern_->count() < RecentPatterns)
            pattern_->addItem(QString::fromStdString(pattern));
    pattern_->setCurrentText(typed);
}

void TextSearchBar::rememberPattern(const std::string& pattern)
{
    std::vector<std::string> patterns{pattern};
    for (const std::string& recent : recentPatterns())
        if (recent != pattern)
            patterns.push_back(recent);
    setRecentPatterns(patterns);
}

void TextSearchBar::focusPattern()
{
    show();
    pattern_->setFocus(Qt::ShortcutFocusReason);
    pattern_->lineEdit()->selectAll();
}

}  // namespace quorvel

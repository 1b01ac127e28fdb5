#include "app/TRadioGroup.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QRadioButton>
#include <algorithm>

namespace app {

namespace {

constexpr int ItemIndent = 8;     // left margin of the first column
constexpr int BottomMargin = 4;

} // namespace

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Click();
    });
}

void TRadioGroup::SetItems(const QStringList& items)
{
    for (QRadioButton* b : buttons_) {
        group_->removeButton(b);
        delete b;
    }
    buttons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        buttons_.push_back(b);
        b->show();
    }
    Arrange();
}

QStringList TRadioGroup::Items() const
{
    QStringList items;
    for (const QRadioButton* b : buttons_) items << b->text();
    return items;
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::max(1, columns);
    Arrange();
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= int(buttons_.size())) {
        // An exclusive group cannot uncheck its last button directly.
        group_->setExclusive(false);
        for (QRadioButton* b : buttons_) b->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    buttons_[std::size_t(index)]->setChecked(true);
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return index >= 0 && index < int(buttons_.size()) ? buttons_[std::size_t(index)] : nullptr;
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    Arrange();
}

void TRadioGroup::Arrange()
{
    if (buttons_.empty()) return;
    const int rows = (int(buttons_.size()) + columns_ - 1) / columns_;
    const int top = QFontMetrics(font()).height() + 2;
    const int columnWidth = (width() - ItemIndent) / columns_;
    const int rowHeight = std::max(1, (height() - top - BottomMargin) / rows);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const int column = int(i) / rows;
        const int row = int(i) % rows;
        buttons_[i]->setGeometry(ItemIndent + column * columnWidth, top + row * rowHeight, columnWidth - 2, rowHeight);
    }
}

} // namespace app

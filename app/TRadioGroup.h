#pragma once
// A captioned group of exclusive radio buttons laid out in columns; one item index is selected.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace app {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    // Replaces the items; none is selected afterwards.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    void SetColumns(int columns);
    int Columns() const { return columns_; }

    // The selected item, -1 for none. Setting it checks that button and raises Click when the
    // selection changes.
    int ItemIndex() const;
    void SetItemIndex(int index);

    QRadioButton* Button(int index) const;

signals:
    // The selection changed (by the user or by SetItemIndex).
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int columns_ = 1;
};

} // namespace app

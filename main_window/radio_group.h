#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

// A framed list of radio buttons in one column. Below the (empty) caption line the items share
// the height evenly: with T the text height of the list's font, each is (height - T - 5) / n
// high, the remainder split above and below. itemIndex() is -1 while nothing is marked. Tab
// stops on the marked item, or on the first while nothing is marked.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void setItems(const QStringList& captions);
    [[nodiscard]] int count() const { return int(m_buttons.size()); }
    [[nodiscard]] QRadioButton* button(int index) const { return m_buttons.at(std::size_t(index)); }

    [[nodiscard]] int itemIndex() const;
    // Marks an item, or clears the mark with -1, without emitting clicked().
    void setItemIndex(int index);
    // Gives the keyboard to the marked item, or to the first while none is marked.
    void focusItem();

signals:
    // The marked item changed by the user's hand: a click on an unmarked item or an arrow key.
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // While no item is marked the arrow keys move from the focused item and mark the next one,
    // as they do from a marked item.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrangeButtons();
    void updateTabStops();

    QButtonGroup* const m_group;
    std::vector<QRadioButton*> m_buttons;
    bool m_settingIndex = false;
};

#pragma once

#include <QWidget>

namespace phrase_data {
class PhraseIndex;
}
class ContactBlanks;
class PhraseGrid;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

// The search over every phrase: a tool window over the main window that lists, as the user
// types, the rows holding the words in any language, with their topic or list and the row in
// the two languages the grid shows (and the cell that matched when it is in a third), with the
// contact's values in their blanks.
class FindWindow : public QWidget {
    Q_OBJECT

public:
    FindWindow(phrase_data::PhraseIndex& index, const PhraseGrid& grid, const ContactBlanks& blanks, QWidget* parent);

    [[nodiscard]] QLineEdit* queryEdit() const { return m_query; }
    [[nodiscard]] QTreeWidget* resultList() const { return m_results; }
    [[nodiscard]] QString countText() const;
    // The results listed; the list keeps rows hidden beyond them.
    [[nodiscard]] int resultCount() const;

signals:
    // A result was chosen: the row (from 0) of the data file at path ("dsb\name.dsb").
    void rowChosen(const QString& path, int row);
    // The user closed the window (Escape, or the frame's button) to go back to the main window.
    void left();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void showResults(int count);
    void choose(QTreeWidgetItem* item);

    phrase_data::PhraseIndex& m_index;
    const PhraseGrid& m_grid;
    const ContactBlanks& m_blanks;
    QLineEdit* const m_query;
    QLabel* const m_count;
    QTreeWidget* const m_results;
    QLabel* const m_skipped;
    QTimer* const m_settled;
};

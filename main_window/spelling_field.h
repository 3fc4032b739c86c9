#pragma once

#include <QTextEdit>

// A spelling as the speller shows it: read-only text that wraps and is as high as its lines.
// It takes the keyboard, so a screen reader reads it by letter, word and line.
class SpellingField : public QTextEdit {
    Q_OBJECT

public:
    explicit SpellingField(QWidget* parent = nullptr);

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
};

#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

// The splash window: product name, version, the maker's call sign and name, the credit line and
// a picture. It hands over to the main window once, after five seconds or at the first click on
// it; Label3 and Label4 take no clicks.
class TForm2 final : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 536;
    static constexpr int ClientHeight = 367;
    static constexpr int HandOverDelayMs = 5000;

    // Shows itself at once and starts Timer1; `mainForm` is shown at the hand-over.
    explicit TForm2(QWidget* mainForm);

    QFrame* const Panel1;
    QLabel* const Image1;
    QLabel* const Label2;
    QLabel* const Label3;
    QLabel* const Label4;
    QLabel* const Label5;
    QLabel* const Label1;
    QTimer* const Timer1;

    // Handlers.
    void Timer1Timer();
    void FormClick();
    void Panel1Click();
    void Image1Click();
    void Label2Click();
    void Label5Click();
    void Label1Click();

private:
    void handOverByClick();

    QWidget* const m_mainForm;
    bool m_handedOver = false;
};

#include "main_window_fixture.h"

#include "main_window/font_substitutes.h"

#include <QApplication>
#include <QTest>

void MainWindowFixture::prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tarvolin"));
    FontSubstitutes::install();
}

void MainWindowFixture::makeForm()
{
    m_data = std::make_unique<DataFolder>();
    m_form = std::make_unique<TForm1>();
}

bool MainWindowFixture::exposeForm() const
{
    m_form->show();
    return QTest::qWaitForWindowExposed(m_form.get());
}

void MainWindowFixture::releaseForm()
{
    m_form.reset();
    m_data.reset();
}

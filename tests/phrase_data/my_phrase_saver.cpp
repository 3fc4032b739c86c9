// The child that my_phrase_kill_test kills: it saves phrases to a file in a loop and prints
// each one once add() has returned, so that the test knows which were reported saved.
//
//   my_phrase_saver FILE RUN COUNT [KILL_AT]   adds COUNT phrases "RUN-<i>"; with KILL_AT it
//                                              kills itself at that file-system call
//   my_phrase_saver --limit BYTES FILE         one save with its address space cut to BYTES
#include "faulty_file_system.h"
#include "phrase_data/my_phrase_file.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <exception>
#include <memory>
#include <sys/resource.h>

using phrase_data::MyPhraseFile;
using phrase_data::PhraseTexts;

namespace {

PhraseTexts phrase(const QString& text)
{
    PhraseTexts texts;
    texts[std::size_t(phrase_data::LanguageField::Eng)] = text;
    texts[std::size_t(phrase_data::LanguageField::Rus)] = QStringLiteral("Фраза ") + text;
    return texts;
}

int saveUnderLimit(const QString& limit, const QString& file)
{
    const rlimit space{.rlim_cur = limit.toULongLong(), .rlim_max = limit.toULongLong()};
    if (::setrlimit(RLIMIT_AS, &space) != 0) return 3;
    MyPhraseFile mine(file.toStdString());
    static_cast<void>(mine.open());
    mine.add(phrase(QStringLiteral("under a memory limit")));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    try {
        if (arguments.size() == 3 && arguments[0] == u"--limit") return saveUnderLimit(arguments[1], arguments[2]);
        if (arguments.size() < 3) return 2;
        auto files = std::make_shared<FaultyFileSystem>();
        if (arguments.size() > 3) files->killAt(arguments[3].toULongLong());
        MyPhraseFile mine(arguments[0].toStdString(), files);
        if (const auto moved = mine.open(); moved || mine.readOnly()) {
            out << "not opened for editing: " << mine.readOnlyReason() << Qt::endl;
            return 1;
        }
        const int count = arguments[2].toInt();
        for (int i = 0; i < count; ++i) {
            const QString text = arguments[1] + u'-' + QString::number(i);
            mine.add(phrase(text));
            out << "saved " << text << Qt::endl;
        }
    } catch (const std::exception& error) {
        out << "failed: " << error.what() << Qt::endl;
        return 1;
    }
    return 0;
}

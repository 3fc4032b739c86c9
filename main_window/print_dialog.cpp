#include "print_dialog.h"

#include "modal_hook.h"

#include <QPrintDialog>

int PrintDialog::exec(QPrintDialog& dialog)
{
    if (const Answerer answerer = ModalHook<Answerer>::take()) return answerer(dialog);
    return dialog.exec();
}

void PrintDialog::setNextAnswer(Answerer answerer)
{
    ModalHook<Answerer>::setNext(std::move(answerer));
}

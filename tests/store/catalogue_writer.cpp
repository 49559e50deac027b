// Makes the writer steps from a given one on, endlessly, and prints each step's number once
// the operation has returned. The test kills it at random moments.

#include "TestSupport.h"
#include "catalogue_writer_steps.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uError.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

void Apply(Tdm& store, const TWriterStep& step)
{
    switch (step.Kind) {
    case TWriterStep::AddShortCut:
        store.AddShortCut(WriterShortCut(step.Number, false));
        break;
    case TWriterStep::UpdateShortCut:
        store.UpdateShortCut(WriterFileName(step.Number), WriterShortCut(step.Number, true));
        break;
    case TWriterStep::AddShortCutGroup:
        store.AddShortCutGroup(WriterGroup(step.Number));
        break;
    case TWriterStep::DeleteShortCut:
        store.DeleteShortCut(WriterShortCut(step.Number, true));
        break;
    }
}

} // namespace

// Arguments: the drive folder (the program is <drive>/velmo), the first step to make.
int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: catalogue_writer <drive> <first step>\n", stderr);
        return 2;
    }
    auto program = std::make_unique<TFixedProgramLocation>();
    program->Path = arguments.at(1) + "/velmo";
    Platform().Program = std::move(program);
    TEnvironment environment;
    Env = &environment;
    Tdm store;
    // Bounded, so a writer whose test has died does not run on for ever.
    const int first = arguments.at(2).toInt();
    try {
        store.DataModuleCreate();
        for (int step = first; step < first + 100000; ++step) {
            Apply(store, WriterStep(step));
            std::fputs(QByteArray::number(step).append('\n').constData(), stdout);
            std::fflush(stdout);
        }
    } catch (const EVelmoError& error) {
        std::fputs(error.what(), stderr);
        return 1;
    }
    return 0;
}

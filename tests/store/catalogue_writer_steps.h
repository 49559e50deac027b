#pragma once

#include "uShortCut.h"

#include <QString>

// The endless, deterministic series of changes the catalogue writer makes; the test that kills
// it replays the same series on a model to know what the catalogue must hold.
struct TWriterStep {
    enum TKind { AddShortCut, UpdateShortCut, AddShortCutGroup, DeleteShortCut };
    TKind Kind;
    int Number; // the shortcut or category the step works on
};

inline TWriterStep WriterStep(int step)
{
    const int number = step / 3;
    switch (step % 3) {
    case 0:
        return {TWriterStep::AddShortCut, number};
    case 1:
        return {TWriterStep::UpdateShortCut, number};
    default:
        // Every other round a category is added, else the previous round's shortcut goes.
        return number % 2 == 0 ? TWriterStep{TWriterStep::AddShortCutGroup, number}
                               : TWriterStep{TWriterStep::DeleteShortCut, number - 1};
    }
}

// Programs of even number are ".exe" files and so carry a picture.
inline QString WriterFileName(int number)
{
    return QString("/apps/'prog %1%2").arg(number).arg(number % 2 == 0 ? ".exe" : ".com");
}

inline TQShortCut WriterShortCut(int number, bool updated)
{
    TQShortCut shortCut;
    shortCut.FileName = WriterFileName(number);
    shortCut.GroupName =
        updated ? QString::fromUtf8("\xe6\x94\xb9") : QString::fromUtf8("\xe7\xb5\x84");
    shortCut.SCText =
        QString::fromUtf8("\xe7\xa8\x8b\xe5\xba\x8f %1").arg(number) + (updated ? "'" : "");
    shortCut.Parameters = updated ? QString("-n %1 --'").arg(number) : QString();
    return shortCut;
}

inline TQShortCutGroup WriterGroup(int number)
{
    return {QString::fromUtf8("\xe9\xa1\x9e %1").arg(number), number % 45};
}

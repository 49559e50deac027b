#pragma once

#include "TestMessenger.h"
#include "TestSupport.h"
#include "uDataModule.h"

#include <QFile>

// A temporary drive with an open catalogue as dm, a scripted messenger, and helpers to fill it.
class TCatalogueFixture {
public:
    TCatalogueFixture()
    {
        m_data.DataModuleCreate();
        dm = &m_data;
    }
    ~TCatalogueFixture() { dm = nullptr; }
    TCatalogueFixture(const TCatalogueFixture&) = delete;
    TCatalogueFixture& operator=(const TCatalogueFixture&) = delete;

    void AddCategory(const QString& name, int imageIndex = 0)
    {
        m_data.AddShortCutGroup({name, imageIndex});
    }

    // A program file on the drive (made executable) filed under a category; returns its path.
    QString AddProgram(const QString& category, const QString& relativePath,
                       const QString& parameters = {}, bool createFile = true)
    {
        const QString path = Drive.Root() + '/' + relativePath;
        if (createFile) {
            Drive.WriteFile(relativePath, "#!/bin/sh\n");
            QFile(path).setPermissions(QFile::permissions(path) | QFile::ExeOwner);
        }
        TQShortCut shortCut;
        shortCut.GroupName = category;
        shortCut.SCText = relativePath.section('/', -1);
        shortCut.FileName = path;
        shortCut.Parameters = parameters;
        m_data.AddShortCut(shortCut);
        return path;
    }

    TTempDrive Drive;
    TMessengerScope Messages; // no test ever waits on a real message box

private:
    Tdm m_data;
};

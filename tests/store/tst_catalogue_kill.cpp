// The drive pulled mid-write, simulated: a writer process is killed with SIGKILL at random
// moments, over and over; every time the catalogue must be sound and hold every change that
// had returned before the kill.

#include "TestSupport.h"
#include "catalogue_writer_steps.h"
#include "uDataModule.h"

#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

namespace {

constexpr int Rounds = 40;
constexpr int LongestRunMs = 400; // the writer needs about 100 ms to start

// The catalogue after the first `steps` writer steps, one sorted line per row.
QStringList ModelAfter(int steps)
{
    QMap<QString, QString> shortCuts;
    QStringList groups;
    const auto describe = [](const TQShortCut& shortCut) {
        const bool picture = shortCut.FileName.endsWith(".exe");
        return QStringList{"sc",
                           shortCut.FileName,
                           shortCut.GroupName,
                           shortCut.SCText,
                           shortCut.Parameters,
                           picture ? "picture" : "none"}
            .join('|');
    };
    for (int step = 0; step < steps; ++step) {
        const TWriterStep change = WriterStep(step);
        const QString fileName = WriterFileName(change.Number);
        switch (change.Kind) {
        case TWriterStep::AddShortCut:
            shortCuts[fileName] = describe(WriterShortCut(change.Number, false));
            break;
        case TWriterStep::UpdateShortCut:
            shortCuts[fileName] = describe(WriterShortCut(change.Number, true));
            break;
        case TWriterStep::AddShortCutGroup: {
            const TQShortCutGroup group = WriterGroup(change.Number);
            groups.append(QStringList{"g", group.GroupName, QString::number(groups.size() + 1),
                                      QString::number(group.ImageIndex)}
                              .join('|'));
            break;
        }
        case TWriterStep::DeleteShortCut:
            shortCuts.remove(fileName);
            break;
        }
    }
    QStringList rows = shortCuts.values() + groups;
    rows.sort();
    return rows;
}

// What the catalogue file holds, in the model's form; checked sound first.
QStringList StoredRows(const QString& filePath)
{
    TSqliteDatabase database(filePath);
    TSqliteStatement check(database.Handle(), "PRAGMA integrity_check");
    if (!check.Step() || check.Text(0) != "ok")
        return {"integrity_check: " + check.Text(0)};
    QStringList rows;
    TSqliteStatement shortCuts(database.Handle(),
                               "SELECT FileName, ShortCutGroupName, SCTEXT, Parameters,"
                               " length(FICON) > 0 FROM t_sc");
    while (shortCuts.Step()) {
        rows.append(QStringList{"sc", shortCuts.Text(0), shortCuts.Text(1), shortCuts.Text(2),
                                shortCuts.Text(3), shortCuts.Integer(4) ? "picture" : "none"}
                        .join('|'));
    }
    TSqliteStatement groups(database.Handle(),
                            "SELECT groupname, groupindex, imageindex FROM t_scg");
    while (groups.Step())
        rows.append(QStringList{"g", groups.Text(0), groups.Text(1), groups.Text(2)}.join('|'));
    rows.sort();
    return rows;
}

// The number of steps the writer reported as returned, counting from `first`.
int ReportedSteps(const QByteArray& output, int first)
{
    int reported = first;
    for (const QByteArray& line : output.split('\n')) {
        bool complete = false;
        const int step = line.toInt(&complete);
        if (complete)
            reported = step + 1;
    }
    return reported;
}

// The rows one list has and the other lacks, for a readable failure.
QString Difference(const QStringList& stored, const QStringList& expected)
{
    QStringList lines;
    for (const QString& row : expected) {
        if (!stored.contains(row))
            lines.append("missing: " + row);
    }
    for (const QString& row : stored) {
        if (!expected.contains(row))
            lines.append("not expected: " + row);
    }
    return lines.join('\n');
}

} // namespace

class TestCatalogueKill : public QObject {
    Q_OBJECT

private slots:
    void killedWriterLosesNoReturnedChange();
};

void TestCatalogueKill::killedWriterLosesNoReturnedChange()
{
    TTempDrive drive;
    const QString filePath = drive.DataDir() + '/' + Tdm::DatabaseFileName();
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("kill moments from seed %u", seed);
    QRandomGenerator random(seed);
    Tdm store;
    store.DataModuleCreate(); // the tables are there before the first kill

    int stored = 0; // steps the catalogue is known to hold
    for (int round = 0; round < Rounds; ++round) {
        QProcess writer;
        writer.start(CATALOGUE_WRITER, {drive.Root(), QString::number(stored)});
        QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
        QThread::msleep(random.bounded(LongestRunMs));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit, writer.readAllStandardError());

        // A step may have been written without being reported: the kill came in between.
        const int reported = ReportedSteps(writer.readAllStandardOutput(), stored);
        const QStringList rows = StoredRows(filePath);
        if (rows == ModelAfter(reported + 1)) {
            stored = reported + 1;
        } else {
            const QStringList expected = ModelAfter(reported);
            QVERIFY2(rows == expected, qPrintable(Difference(rows, expected)));
            stored = reported;
        }
    }
    QVERIFY2(stored > Rounds, "the writer hardly wrote, so the kills proved nothing");

    // The program's own way in still opens it and reads every category.
    Tdm reopened;
    reopened.DataModuleCreate();
    const QRegularExpression groupRow("^g\\|");
    QCOMPARE(reopened.GetShortCutGroups().size(), ModelAfter(stored).filter(groupRow).size());
}

QTEST_MAIN(TestCatalogueKill)
#include "tst_catalogue_kill.moc"

#pragma once

#include "sheet/cardsheet.h"
#include "surface/appfolder.h"
#include "surface/surface.h"
#include "surface/widgets/picturebox.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace vellora::test {

// Every pixel says where it is (x, y in red and green, high bits in blue): an offset or a swap shows.
inline QImage coordinatePhoto(int w, int h)
{
    return paintPhoto(w, h, [](int x, int y) { return qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8)); });
}

// Smooth colours, as a photo has: scaling filters differ little on it, unlike on the coordinate pattern.
inline QImage smoothPhoto(int w, int h)
{
    return paintPhoto(w, h, [=](int x, int y) {
        return qRgb(40 + 160 * x / w, 30 + 190 * y / h, 120 + 100 * (x + y) / (w + h));
    });
}

// A picture dialog over a sheet of a colour no test picture has, so every pasted pixel shows as a change.
template <typename Dialog> struct Opened
{
    std::unique_ptr<QTemporaryDir> app;
    Surface sheet;
    QImage before;
    CountingPacer pacer;
    ScriptedPrompter prompter;
    std::unique_ptr<Dialog> dialog;

    template <typename... Args>
    explicit Opened(std::unique_ptr<QTemporaryDir> folder, Args... args) : app(std::move(folder))
    {
        sheet.backColor = QColor(1, 254, 3);
        sheet.resize(sheet::kWidthPixels, sheet::kHeightPixels);
        before = sheet.image().copy();
        dialog = std::make_unique<Dialog>(args..., pacer, prompter, AppFolder(app->path()));
        dialog->show();
    }
    template <typename T = QWidget> T *child(const QString &name) const
    {
        return dialog->template findChild<T *>(name);
    }
    // The dialog only says what Ok chose; the sheet takes it as the deck would.
    void click(const QString &name)
    {
        QTest::mouseClick(child(name), Qt::LeftButton, {}, {3, 3});
        if (dialog->chosen() && !applied) {
            dialog->chosen()->applyTo(sheet);
            applied = true;
        }
    }
    bool applied = false;

    // The rows in `rows` changed in exactly area(row), the others not at all.
    template <typename Area> void changedOnlyIn(const QList<int> &rows, Area area) const
    {
        for (int row = 0; row < 4; ++row) {
            const QRect band(0, 400 * row, sheet::kWidthPixels, 400);
            QCOMPARE(changedArea(before.copy(band), sheet.image().copy(band)),
                     rows.contains(row) ? area(row).translated(0, -band.top()) : QRect());
        }
    }

    // Ok without a target asks for one and keeps the dialog open and ready; Cancel after choosing a target
    // then closes it. Each button shows its pressed look, and the sheet stays as it was.
    void okWithoutTargetThenCancel(const QString &question)
    {
        click("OkKnop");
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].text, question);
        QVERIFY(dialog->isVisible());
        click("Image1(0)");
        click("CancelKnop");
        QCOMPARE(pacer.pauses, (QList<int>{200, 200}));
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(firstDifference(sheet.image(), before), QString());
    }
};

} // namespace vellora::test

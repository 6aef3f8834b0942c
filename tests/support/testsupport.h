#pragma once

#include "surface/platform.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

namespace vellora::test {

// A scratch application folder: a copy of the generated data folders, or an empty folder.
std::unique_ptr<QTemporaryDir> copyOfAppData();
std::unique_ptr<QTemporaryDir> emptyAppFolder();

// Makes at path what a hostile folder may hold, links' targets in scratch: "zero" (to /dev/zero), "fifo"
// (to a FIFO), "sparse" (30 GB of nothing), "dir", "dangling", "outside" (to a file); false if not allowed.
bool makeSpecialFile(const QString &kind, const QString &path, const QString &scratch);

// The first pixel where two pictures differ, as text for a failure message; empty when they are equal.
QString firstDifference(const QImage &a, const QImage &b);
// Like firstDifference, but of the bytes themselves: format, colour table and every row must be the same.
QString byteDifference(const QImage &a, const QImage &b);
// Pixels that differ between two pictures of the same size, as the smallest rectangle holding them all.
QRect changedArea(const QImage &before, const QImage &after);

// An opaque picture whose neighbouring pixels all differ, never white; seed varies it.
QImage gradientPicture(int w, int h, int seed = 1);
// Pictures compare pixel for pixel only in one format.
inline QImage rgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}
inline QImage solidPicture(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
template <typename Colour> QImage paintPhoto(int width, int height, Colour colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colour(x, y));
    return image;
}
// Four quadrants of plain colours, none the mirror of another: every turn and mirror shows.
inline const QRgb kQuadrants[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(30, 40, 210),
                                   qRgb(240, 240, 240)};
inline QImage quadrants(int w, int h)
{
    return paintPhoto(w, h, [=](int x, int y) { return kQuadrants[(x >= w / 2) + 2 * (y >= h / 2)]; });
}
// The largest difference in any one channel.
inline int channelDifference(QRgb a, QRgb b)
{
    return std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
}
// The bytes of a picture file of any format Qt writes, or GIF.
QByteArray imageFile(const QImage &image, const char *format, int quality = -1, bool progressive = false);
QByteArray readBytes(const QString &path); // empty when unreadable
bool writeBytes(const QString &path, const QByteArray &bytes);
// Runs work with no file of this process allowed beyond bytes (RLIM_INFINITY: no limit): a write stops
// there, as on a full disk.
bool withFileSizeLimit(qint64 bytes, const std::function<bool()> &work);

// For the administrator (geteuid() == 0), whom read-only files bind in nothing: runs the current row again in
// a child process as nobody, with a scratch folder of its own; empty when it passed there, else its output.
QString rerunAsNobody();

// A field of /proc/self/status (VmRSS, VmHWM ..), in bytes; -1 when it cannot be read.
qint64 processStatusBytes(const QByteArray &field);
// The number of pages pdfinfo reports; 0 for no PDF.
int pdfPageCount(const QString &pdf);
// A tool run to its end: its exit code and what it wrote, standard output first.
std::pair<int, QString> runTool(const QString &program, const QStringList &arguments);
// What a name is, to the inode, without following a link or opening what would block (a FIFO): its type and
// mode, device, inode, size and time, and the hash of a regular file's bytes or of what a link leads to.
QByteArray nameState(const QByteArray &path);

// Photo files of other kinds, made at test time. heicBytes is empty when libheif has no HEVC encoder here.
QByteArray heicBytes(const QImage &image);
// A JPEG with an EXIF segment giving its orientation, right after the start-of-image marker.
QByteArray withExifOrientation(const QByteArray &jpeg, int orientation);
// Qt reads GIF but cannot write it: a plain encoder (grey palette, literal LZW codes) for test files.
QByteArray gifBytes(const QImage &image);

// Answers the program's questions from a script and remembers every box it was shown.
class ScriptedPrompter final : public Prompter
{
public:
    struct Shown
    {
        QString kind; // "message", "question", "ask" or "input"
        QString text;
        QString title;
        Icon icon;
    };
    QList<bool> answers;                  // for questions, in order; a missing answer is No
    QList<Answer> choices;                // for Yes/No/Cancel questions; a missing one is Cancel
    QList<std::optional<QString>> inputs; // for input boxes; a missing one is Cancel
    QList<Shown> shown;

    void message(const QString &text, const QString &title, Icon icon) override
    {
        shown.append({QStringLiteral("message"), text, title, icon});
    }
    bool question(const QString &text, const QString &title, Icon icon) override
    {
        shown.append({QStringLiteral("question"), text, title, icon});
        return !answers.isEmpty() && answers.takeFirst();
    }
    Answer ask(const QString &text, const QString &title, Icon icon) override
    {
        shown.append({QStringLiteral("ask"), text, title, icon});
        return choices.isEmpty() ? Answer::Cancel : choices.takeFirst();
    }
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &) override
    {
        shown.append({QStringLiteral("input"), prompt, title, Icon::None});
        return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
    }
};

// Counts the pauses instead of waiting; what follows a wait runs at once.
class CountingPacer final : public Pacer
{
public:
    QList<int> pauses;
    void after(int milliseconds, QObject *, std::function<void()> then) override
    {
        pauses << milliseconds;
        then();
    }
};

// Keeps what follows each wait until the test steps it, so a test can act in the middle of timed work.
class SteppedPacer final : public Pacer
{
public:
    void after(int milliseconds, QObject *context, std::function<void()> then) override;
    // Runs the oldest waiting step (skipped when its context is gone); false when none waits.
    bool step();
    // Steps until nothing waits, also what the steps themselves hand over; the count of steps run.
    int runAll();
    int waiting() const { return int(m_waiting.size()); }
    QList<int> pauses;

private:
    struct Waiting
    {
        QPointer<QObject> context;
        bool hadContext = false;
        std::function<void()> then;
    };
    std::deque<Waiting> m_waiting;
};

} // namespace vellora::test

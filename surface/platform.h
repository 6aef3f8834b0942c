#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QScreen;

namespace vellora {

// Every wait of the program: the 200 ms pressed look and the 50 ms pause per finished card. Nothing waits in
// place: the work that follows a wait is handed over and runs later from the event loop, so the window keeps
// painting and answering meanwhile. Tests use pacers that run it at once or step it by hand.
class Pacer
{
public:
    virtual ~Pacer() = default;
    // Runs `then` once `milliseconds` have passed; never when `context` is destroyed first.
    virtual void after(int milliseconds, QObject *context, std::function<void()> then) = 0;
};

// Precise single-shot timers of the event loop the pacer is used from.
class TimerPacer final : public Pacer
{
public:
    void after(int milliseconds, QObject *context, std::function<void()> then) override;
};

// Runs what follows a wait straight away.
class NoPacer final : public Pacer
{
public:
    void after(int, QObject *, std::function<void()> then) override { then(); }
};

// Message, question and input boxes. Only windows talk to the user; tests answer in their place.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Yes, No, Cancel };
    virtual ~Prompter() = default;
    virtual void message(const QString &text, const QString &title, Icon icon) = 0;
    virtual bool question(const QString &text, const QString &title, Icon icon) = 0; // Yes is true
    // A question that may also be called off: Yes, No and Cancel. Closing the box is Cancel.
    virtual Answer ask(const QString &text, const QString &title, Icon icon) = 0;
    virtual std::optional<QString> input(const QString &prompt, const QString &title, const QString &value) = 0;
};

// What the program knows of the screen: its twips per pixel and its size in twips.
struct ScreenMetrics
{
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    QSize sizeTwips;

    // The dots the user sees: on a scaled screen Qt reports 96 logical dots per inch and its size in
    // device-independent pixels, both to be multiplied by the scale.
    static ScreenMetrics of(const QScreen *screen);
    static ScreenMetrics fromDots(double dotsPerInchX, double dotsPerInchY, QSize pixels);
    int dotsPerInch() const; // 1440 / twips per pixel, halves to even
};

} // namespace vellora

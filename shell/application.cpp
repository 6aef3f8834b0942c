#include "shell/application.h"

#include "shell/language.h"

#include <QFont>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>

namespace vellora {

namespace {

// The desktop's own style but for one picture. Every menu bar asks for the arrow it shows when its menus do
// not fit; Qt's styles give a PNG whose format Qt finds out by asking every picture plugin on the system,
// which loads them all, the HEIF decoder and its codecs among them, before the first frame. This window's
// menus always fit, and the arrow is drawn here should it ever show.
class MenuBarStyle final : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        return chevron(which == SP_ToolBarHorizontalExtensionButton,
                       (option ? option->palette : QPalette()).color(QPalette::ButtonText));
    }

private:
    static QIcon chevron(bool pointsRight, const QColor &colour)
    {
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, 1.5));
        if (!pointsRight) {
            painter.translate(16, 0);
            painter.rotate(90);
        }
        for (const int x : {4, 9})
            painter.drawPolyline(QPolygonF({QPointF(x, 4), QPointF(x + 3.5, 8), QPointF(x, 12)}));
        painter.end();
        return QIcon(picture);
    }
};

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Vellora"));
    // Lets the desktop match the window to the installed vellora.desktop and its icon.
    setDesktopFileName(QStringLiteral("vellora"));
    setStyle(new MenuBarStyle);

    // Dutch unless the system asks for another language, with the standard buttons in the same language.
    installLanguage(languageFor(QLocale::system().uiLanguages()));

    // The help screen's typeface is rarely installed outside its home platform; this one has its metrics.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

} // namespace vellora

#pragma once

#include "print/printpage.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace vellora {

class AppFolder;

// The card backs of the Backgrounds folder, addressed by number: "Background-<n>.jpg". The count is of all
// ".jpg" files there, numbered or not, so a number can be counted that has no file. Beside each is its
// drawing to the edge for print shops, "Background-<n>@bleed.png", which names the JPEG by its hash as a
// print master drawing does: a back replaced by hand is printed from its own pixels.
class BackGallery
{
public:
    // With `ownFolder`, the user's own backs there follow the program's, in the order of their names.
    explicit BackGallery(const AppFolder &folder, QString ownFolder = {});

    int count() const { return m_count + int(m_own.size()); }
    // The back numbered n, or a null image when there is no such file or it cannot be read.
    QImage load(int n) const;
    // The back numbered n for a document: its picture, with its file to pass on when that is a JPEG whose
    // pixels are what the picture shows; `forShop`, the full-bleed drawing of a built-in back too. A null image
    // when there is no such back.
    print::BackChoice choice(int n, bool forShop = false) const;

    static QString counterText(int n, int count); // "Rugzijde <n + 1> / <count>"

    // Reads a picture of the user's own: the picture, or why not. The program passes in the reader of its
    // photos, so that a back takes what a photo takes.
    using PictureReader = std::function<Result<QImage>(const QString &path)>;
    // Keeps a picture that `read` takes in the own folder under its own name with ".jpg" (numbered when
    // taken), as ownForm() makes it, and lists it; its number, or why not.
    Result<int> addOwn(const QString &path, const PictureReader &read);

    // A picture the user chose as a back, as an own back is kept: a JPEG that this gallery reads again, with
    // the picture it decodes to (made smaller when the gallery's budget would not take it), or why there is
    // none. The command line's own back is the same.
    static Result<print::BackChoice> ownForm(const QImage &picture);

private:
    // The file of back n, read only when it is a regular file of a size a back may have; empty when not.
    QByteArray bytes(int n) const;
    void listOwn();
    const AppFolder &m_folder;
    int m_count = 0;
    QString m_ownFolder;
    // As the file system holds the names, which need not be valid UTF-8: the folder and the name.
    std::vector<QByteArray> m_own;
};

} // namespace vellora

#include "ui/controls/DesignFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace DesignFonts {

namespace {

struct Substitution {
    const char16_t* face;
    bool proportional;
};

// Windows' Japanese Gothic faces, under their Japanese and Latin names; a
// settings file written on Windows may hold either.
constexpr Substitution kSubstitutions[] = {
    {u"MS UI Gothic", true},   {u"ＭＳ Ｐゴシック", true}, {u"MS PGothic", true},
    {u"ＭＳ ゴシック", false}, {u"MS Gothic", false},
};

} // namespace

void InstallSubstitutions()
{
    static const bool done = [] {
        const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("Noto Sans CJK JP")};
        const QStringList fixedPitch{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                                     QStringLiteral("Noto Sans Mono CJK JP")};
        for (const Substitution& s : kSubstitutions)
            QFont::insertSubstitutions(QString::fromUtf16(s.face),
                                       s.proportional ? proportional : fixedPitch);
        return true;
    }();
    Q_UNUSED(done);
}

QFont DesignFont(qreal pointSize)
{
    InstallSubstitutions();
    QFont font(DesignFaceName);
    font.setPointSizeF(pointSize);
    return font;
}

QFont WindowFont()
{
    return DesignFont(9.75);
}

QString FaceInUse(const QString& family)
{
    InstallSubstitutions();
    if (QFontDatabase::hasFamily(family))
        return family;
    // Qt keeps substitutes in lower case; the lists show the installed spelling.
    const QStringList installed = QFontDatabase::families();
    for (const QString& standIn : QFont::substitutes(family)) {
        for (const QString& face : installed) {
            if (face.compare(standIn, Qt::CaseInsensitive) == 0)
                return face;
        }
    }
    return family;
}

} // namespace DesignFonts

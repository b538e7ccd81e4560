#include "core/regional.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(Regional, SeparatorsAndOrderFollowTheLocale)
{
    const struct {
        const char* locale;
        QString time, date;
        QChar decimal, group;
        TDateOrder order;
        QString shortFormat;
    } cases[] = {
        { "fi_FI", u"."_qs, u"."_qs, u',', QChar(0x00A0), TDateOrder::DMY, u"d.M.yyyy"_qs },
        { "en_US", u":"_qs, u"/"_qs, u'.', u',', TDateOrder::MDY, u"M/d/yyyy"_qs },
        { "de_DE", u":"_qs, u"."_qs, u',', u'.', TDateOrder::DMY, u"dd.MM.yyyy"_qs },
        // "AP h:mm": the am/pm marker before the hour is no field of its own.
        { "ko_KR", u":"_qs, u". "_qs, u'.', u',', TDateOrder::YMD, u"yyyy. M. d."_qs },
        { "hu_HU", u":"_qs, u". "_qs, u',', QChar(0x00A0), TDateOrder::YMD, u"yyyy. MM. dd."_qs },
        // "HH 'h' mm": the quoted "h" is the separator, with its blanks.
        { "fr_CA", u" h "_qs, u"-"_qs, u',', QChar(0x00A0), TDateOrder::YMD, u"yyyy-MM-dd"_qs },
        // The C locale spells the month in its short date; numeric dates
        // still get a visible separator.
        { "C", u":"_qs, u"/"_qs, u'.', u',', TDateOrder::DMY, u"d MMM yyyy"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const TRegional r { QLocale(QString::fromLatin1(c.locale)) };
        EXPECT_EQ(r.TimeSeparator, c.time);
        EXPECT_EQ(r.DateSeparator, c.date);
        EXPECT_EQ(r.DecimalSeparator, c.decimal);
        EXPECT_EQ(r.GroupSeparator, c.group);
        EXPECT_EQ(r.DateOrder, c.order);
        EXPECT_EQ(r.ShortDateFormat, c.shortFormat);
    }
}

TEST(Regional, SeparatorOfFormat_SkipsQuotedTextAndLeadingMarkers)
{
    const struct {
        QString format, letters, separator;
    } cases[] = {
        { u"HH:mm"_qs, u"Hh"_qs, u":"_qs },
        { u"AP h:mm"_qs, u"Hh"_qs, u":"_qs },
        { u"'klo' H.mm"_qs, u"Hh"_qs, u"."_qs },
        { u"HH'h'mm"_qs, u"Hh"_qs, u"h"_qs },
        { u"HH 'h' mm"_qs, u"Hh"_qs, u" h "_qs },
        { u"H:mm 'ч'."_qs, u"Hh"_qs, u":"_qs },
        { u"AP 'ga' h:mm"_qs, u"Hh"_qs, u":"_qs },
        { u"HH''mm"_qs, u"Hh"_qs, u"'"_qs },
        { u"HH'o''c'mm"_qs, u"Hh"_qs, u"o'c"_qs },
        { u"yyyy-MM-dd"_qs, u"dMy"_qs, u"-"_qs },
        { u"HH"_qs, u"Hh"_qs, QString() },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        EXPECT_EQ(TRegional::SeparatorOfFormat(c.format, c.letters), c.separator);
    }
}

// Whatever the locale, hours and minutes stay apart by something visible.
TEST(Regional, TimeSeparatorIsNeverBlankInAnyLocale)
{
    const QList<QLocale> locales
        = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 100);
    for (const QLocale& locale : locales) {
        const TRegional r { locale };
        EXPECT_FALSE(r.TimeSeparator.trimmed().isEmpty())
            << locale.name().toStdString() << " '" << r.TimeSeparator.toStdString() << "' from "
            << locale.timeFormat(QLocale::ShortFormat).toStdString();
        EXPECT_FALSE(r.DateSeparator.trimmed().isEmpty()) << locale.name().toStdString();
    }
}

} // namespace
} // namespace ryv

#include "app/workbench/locale_numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>

namespace vantor {

LocaleNumbers UserLocaleNumbers() {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    LocaleNumbers numbers;
    numbers.parse = [locale](std::string_view text) -> std::optional<double> {
        const QString trimmed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
        if (trimmed.isEmpty()) return std::nullopt;
        bool ok = false;
        const double value = locale.toDouble(trimmed, &ok);
        if (!ok || !std::isfinite(value)) return std::nullopt;
        return value;
    };
    const QString point = locale.decimalPoint();
    numbers.decimalSeparator =
        point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
    return numbers;
}

}  // namespace vantor

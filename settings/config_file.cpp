#include "settings/ini_file.h"
#include "settings/settings_files.h"

namespace tavik {

namespace {

constexpr QStringView section = u"CONFIG";
constexpr QStringView termsKey = u"TERMS";
constexpr QStringView pcKey = u"PC";
constexpr QStringView questionKey = u"QUESTION";

// Every flag is stored padded to the width of the buffer older copies read
// it into; readers ignore the blanks.
constexpr qsizetype flagWidth = 255;

QString flagText(bool flag) {
    return (flag ? QStringLiteral("True") : QStringLiteral("False")).leftJustified(flagWidth);
}

} // namespace

bool parseFlag(const QString& value) {
    return value != QLatin1String("False");
}

void readConfig(SettingsState& settings, const SettingsPaths& paths) {
    const IniFile file(paths.configFile);
    settings.optTerms = parseFlag(file.value(section, termsKey));
    settings.optPc = parseFlag(file.value(section, pcKey));
    settings.optQuestion = parseFlag(file.value(section, questionKey));
}

bool writeConfig(const SettingsState& settings, const SettingsPaths& paths) {
    IniFile file(paths.configFile);
    file.setValue(section, termsKey, flagText(settings.optTerms));
    file.setValue(section, pcKey, flagText(settings.optPc));
    file.setValue(section, questionKey, flagText(settings.optQuestion));
    return file.save();
}

} // namespace tavik

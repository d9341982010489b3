#include "settings/ini_file.h"
#include "settings/number_parse.h"
#include "settings/settings_files.h"

namespace tavik {

namespace {

constexpr QStringView section = u"CONFIG";
constexpr QStringView termsKey = u"TERMS";
constexpr QStringView pcKey = u"PC";
constexpr QStringView questionKey = u"QUESTION";
// Read only: a learner who wants another value adds the line by hand.
constexpr QStringView retentionKey = u"RETENTION";
constexpr QStringView goalKey = u"GOAL";

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
    const double asked = val(file.value(section, retentionKey));
    settings.desiredRetention =
        asked >= kLowestRetention && asked <= kHighestRetention ? asked : kDefaultRetention;
    const double goal = val(file.value(section, goalKey));
    settings.dailyGoal = goal >= kFewestDailyGoal && goal <= kMostDailyGoal ? static_cast<int>(goal)
                                                                            : kDefaultDailyGoal;
}

bool writeConfig(const SettingsState& settings, const SettingsPaths& paths) {
    IniFile file(paths.configFile);
    file.setValue(section, termsKey, flagText(settings.optTerms));
    file.setValue(section, pcKey, flagText(settings.optPc));
    file.setValue(section, questionKey, flagText(settings.optQuestion));
    return file.save();
}

} // namespace tavik

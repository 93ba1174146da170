#include "base/Translate.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/ProgramPaths.h"

namespace quorix {
namespace {

// The language chosen, else the locale's; Russian for Russian, also before another choice, and
// for a language without a catalog. Each choice takes effect at once, the lookups before it
// forgotten.
TEST(TranslateTest, TheChosenOrTheLocalesLanguageElseTheRussianSource) {
  const std::string catalogs = LocaleDirectory(ProgramDirectory());
  SetUpTranslations(catalogs, "en");
  EXPECT_EQ(Tr("Внимание!"), "Warning!");
  EXPECT_EQ(ProgramLanguage(), "en");
  SetUpTranslations(catalogs, "de");
  EXPECT_EQ(Tr("Внимание!"), "Внимание!");
  EXPECT_EQ(ProgramLanguage(), "ru");

  unsetenv("LANGUAGE");
  setenv("LC_ALL", "en_GB.UTF-8", 1);
  SetUpTranslations(catalogs, "");
  EXPECT_EQ(Tr("Внимание!"), "Warning!") << "from LC_ALL, installed or not";
  setenv("LANGUAGE", "de:en", 1);
  SetUpTranslations(catalogs, "");
  EXPECT_EQ(Tr("Внимание!"), "Warning!") << "the user's second choice";
  setenv("LANGUAGE", "ru_UA:en", 1);
  SetUpTranslations(catalogs, "");
  EXPECT_EQ(Tr("Внимание!"), "Внимание!") << "Russian asked for before English";
  unsetenv("LC_ALL");
  unsetenv("LANGUAGE");
  SetUpTranslations(catalogs, "ru");
  EXPECT_EQ(Tr("Внимание!"), "Внимание!");
}

}  // namespace
}  // namespace quorix

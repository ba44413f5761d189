// The translation covers the program: every Chinese text in the sources goes
// through Qt's translation, and the translation source holds every text that
// does, under the class that asks for it.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace app_test {
namespace {

bool IsChinese(const QString& text) {
  static const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
  return text.contains(han);
}

// One string literal of a C++ source: its text and the code just before it.
struct Literal {
  QString text;
  QString codeBefore;  // since the previous literal; literals themselves are not in it
  int line;
};

// The string literals of a C++ source, comments skipped. Adjacent literals
// ("a" "b") stay separate; their joining is the compiler's business.
QList<Literal> StringLiterals(const QString& source) {
  QList<Literal> literals;
  QString code;
  int line = 1;
  for (qsizetype i = 0; i < source.size(); ++i) {
    const QChar c = source.at(i);
    const QChar next = i + 1 < source.size() ? source.at(i + 1) : QChar();
    if (c == u'\n') ++line;
    if (c == u'/' && next == u'/') {
      while (i < source.size() && source.at(i) != u'\n') ++i;
      --i;
    } else if (c == u'/' && next == u'*') {
      const qsizetype end = source.indexOf(QStringLiteral("*/"), i + 2);
      const qsizetype stop = end < 0 ? source.size() : end + 2;
      line += int(source.mid(i, stop - i).count(u'\n'));
      i = stop - 1;
    } else if (c == u'\'') {  // a character literal, '"' among them
      ++i;
      while (i < source.size() && source.at(i) != u'\'') i += source.at(i) == u'\\' ? 2 : 1;
    } else if (c == u'"') {
      Literal literal{QString(), code, line};
      for (++i; i < source.size() && source.at(i) != u'"'; ++i) {
        if (source.at(i) == u'\\' && i + 1 < source.size()) {
          const QChar escaped = source.at(++i);
          literal.text += escaped == u'n' ? QChar(u'\n') : escaped == u't' ? QChar(u'\t') : escaped;
        } else {
          literal.text += source.at(i);
        }
      }
      literals << literal;
      code.clear();
    } else {
      code += c;
    }
  }
  return literals;
}

// A text reaches the translation as tr()'s first argument, translate()'s
// second, or a NOOP marker's, possibly continued by adjacent literals.
bool GoesThroughTranslation(const QList<Literal>& literals, qsizetype index) {
  static const QRegularExpression opened(QStringLiteral("\\b(tr|QT_TR_NOOP|QT_TRANSLATE_NOOP|translate)\\s*\\(\\s*$"));
  static const QRegularExpression afterContext(QStringLiteral("^\\s*,\\s*$"));
  static const QRegularExpression adjacent(QStringLiteral("^\\s*$"));
  while (index > 0 && adjacent.match(literals.at(index).codeBefore).hasMatch()) --index;
  const Literal& first = literals.at(index);
  if (opened.match(first.codeBefore).hasMatch()) return true;
  // translate("context", "text"): the context literal comes right before.
  return index > 0 && afterContext.match(first.codeBefore).hasMatch() &&
         QRegularExpression(QStringLiteral("\\b(translate|QT_TRANSLATE_NOOP)\\s*\\(\\s*$"))
             .match(literals.at(index - 1).codeBefore)
             .hasMatch();
}

QStringList SourceFiles() {
  QStringList files;
  QDirIterator it(QStringLiteral(VANTREL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                  QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files << it.next();
  files.sort();
  return files;
}

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

TEST(TranslationCoverage, LiteralsAreFoundWhereTheyAre) {
  const QList<Literal> found =
      StringLiterals(QStringLiteral("// \"注释\"\nx = tr(\"甲\");\n/* \"乙\" */ y = QStringLiteral(\"丙\\n\");\nz = "
                                    "translate(\"c\", \"丁\" \"戊\");\n"
                                    "w = tr(\"\\\"\") + '\"' + u\"己\";"));
  QStringList texts;
  for (const Literal& l : found) texts << l.text;
  EXPECT_EQ(texts, (QStringList{"甲", "丙\n", "c", "丁", "戊", "\"", "己"}));
  const bool through[] = {true, false, true /* the context */, true, true, true, false};
  for (qsizetype i = 0; i < found.size(); ++i) {
    EXPECT_EQ(GoesThroughTranslation(found, i), through[i]) << texts.at(i).toStdString();
  }
}

TEST(TranslationCoverage, EveryChineseTextOfTheProgramGoesThroughTheTranslation) {
  const QStringList files = SourceFiles();
  ASSERT_FALSE(files.isEmpty());
  int chinese = 0;
  for (const QString& path : files) {
    const QList<Literal> literals = StringLiterals(ReadText(path));
    for (qsizetype i = 0; i < literals.size(); ++i) {
      if (!IsChinese(literals.at(i).text)) continue;
      ++chinese;
      EXPECT_TRUE(GoesThroughTranslation(literals, i))
          << QDir(QStringLiteral(VANTREL_SOURCE_DIR)).relativeFilePath(path).toStdString() << ':' << literals.at(i).line
          << ": \"" << literals.at(i).text.toStdString() << "\" is shown untranslated";
    }
  }
  EXPECT_GT(chinese, 40);
}

// The (context, text) pairs of a translation source and whether any lacks its translation.
struct TranslationSource {
  QSet<QString> texts;
  int unfinished = 0;
};

TranslationSource ReadTranslationSource(const QString& path) {
  TranslationSource result;
  const QString ts = ReadText(path);
  const QRegularExpression context(QStringLiteral("<context>\\s*<name>(.*?)</name>(.*?)</context>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpression message(QStringLiteral("<source>(.*?)</source>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  for (auto c = context.globalMatch(ts); c.hasNext();) {
    const QRegularExpressionMatch match = c.next();
    for (auto m = message.globalMatch(match.captured(2)); m.hasNext();) {
      result.texts << match.captured(1) + QStringLiteral(" | ") + m.next().captured(1);
    }
  }
  result.unfinished = int(ts.count(QStringLiteral("type=\"unfinished\"")));
  return result;
}

// lupdate, run over the sources into a copy of the translation source, finds
// nothing new to translate and nothing gone.
TEST(TranslationCoverage, TranslationSourceHoldsEveryTextOfTheProgram) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString committed = QStringLiteral(VANTREL_TRANSLATION_SOURCE);
  const QString updated = dir.filePath(QStringLiteral("vantrel_en.ts"));
  ASSERT_TRUE(QFile::copy(committed, updated));
  QProcess lupdate;
  lupdate.setProcessChannelMode(QProcess::MergedChannels);
  lupdate.start(
      QStringLiteral(VANTREL_LUPDATE),
      {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
       QStringLiteral("-source-language"), QStringLiteral("zh_CN"), QStringLiteral("-target-language"),
       QStringLiteral("en"), QStringLiteral(VANTREL_SOURCE_DIR "/src"), QStringLiteral("-ts"), updated});
  ASSERT_TRUE(lupdate.waitForFinished(120000));
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

  const TranslationSource before = ReadTranslationSource(committed);
  const TranslationSource after = ReadTranslationSource(updated);
  EXPECT_EQ(before.unfinished, 0);
  for (const QString& text : after.texts - before.texts) ADD_FAILURE() << "no English for " << text.toStdString();
  for (const QString& text : before.texts - after.texts) ADD_FAILURE() << "no longer used: " << text.toStdString();
  EXPECT_EQ(after.unfinished, 0) << "the program has texts the translation lacks";
  EXPECT_GT(after.texts.size(), 40);
}

}  // namespace
}  // namespace app_test

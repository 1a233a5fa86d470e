#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "cli/file_io.h"
#include "cli/options.h"
#include "cli/output_plan.h"

namespace yomika::cli {

// Readable failure output; found by gtest through the type's namespace.
void PrintTo(const ConverterOptions& o, std::ostream* os) {
  *os << "{action " << static_cast<int>(o.action) << ", inputs "
      << o.inputs.join(u',').toStdString() << ", output " << o.output.toStdString() << ", document "
      << o.document << ", format " << OutputFormatName(o.format).toStdString() << ", settings "
      << o.settings_file.toStdString() << ", overrides";
  for (const SettingOverride& s : o.overrides) {
    *os << ' ' << s.section.toStdString() << '/' << s.key.toStdString() << '='
        << s.value.toStdString();
  }
  *os << ", dictionary " << o.dictionary_folder.toStdString() << ", user "
      << o.user_dictionary.toStdString() << '}';
}

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// --- options: normal ----------------------------------------------------------------------

struct OptionsCase {
  std::vector<const char*> args;
  ConverterOptions expected;
};

ConverterOptions With(void (*edit)(ConverterOptions&)) {
  ConverterOptions o;
  edit(o);
  return o;
}

TEST(ParseOptions, AcceptsEveryOption) {
  using Action = ConverterOptions::Action;
  const OptionsCase cases[] = {
      {{}, ConverterOptions()},
      {{"a.txt"}, With([](ConverterOptions& o) { o.inputs = {U("a.txt")}; })},
      {{"-"}, With([](ConverterOptions& o) { o.inputs = {U("-")}; })},
      {{"-o", "out.html", "a.txt"}, With([](ConverterOptions& o) {
         o.output = U("out.html");
         o.inputs = {U("a.txt")};
       })},
      {{"--output=out.html"}, With([](ConverterOptions& o) { o.output = U("out.html"); })},
      {{"--output", "-"}, ConverterOptions()},
      {{"--document"}, With([](ConverterOptions& o) { o.document = true; })},
      {{"--review"}, With([](ConverterOptions& o) { o.review = true; })},
      {{"--format", "aozora"}, With([](ConverterOptions& o) { o.format = OutputFormat::kAozora; })},
      {{"--format=html5", "--document"}, With([](ConverterOptions& o) {
         o.format = OutputFormat::kHtml5;
         o.document = true;
       })},
      {{"--settings", "x.ini"}, With([](ConverterOptions& o) { o.settings_file = U("x.ini"); })},
      {{"--settings=x.ini"}, With([](ConverterOptions& o) { o.settings_file = U("x.ini"); })},
      {{"--set", "Default/Convert=0", "--set=Default/CreateColor=0"}, With([](ConverterOptions& o) {
         o.overrides = {{U("Default"), U("Convert"), U("0")},
                        {U("Default"), U("CreateColor"), U("0")}};
       })},
      {{"--set", "default/CONVERT=1"}, With([](ConverterOptions& o) {
         o.overrides = {{U("Default"), U("Convert"), U("1")}};
       })},
      {{"--set", "RUBY/RBSTART="}, With([](ConverterOptions& o) {
         o.overrides = {{U("RUBY"), U("RBSTART"), U("")}};
       })},
      {{"--set", "Preview/txtStyleSheet=a=b"}, With([](ConverterOptions& o) {
         o.overrides = {{U("Preview"), U("txtStyleSheet"), U("a=b")}};
       })},
      {{"--set", "TAGS/LIST22=-1"}, With([](ConverterOptions& o) {
         o.overrides = {{U("TAGS"), U("LIST22"), U("-1")}};
       })},
      {{"--dictionary", "/dic"},
       With([](ConverterOptions& o) { o.dictionary_folder = U("/dic"); })},
      {{"--user-dictionary", "r.tsv"},
       With([](ConverterOptions& o) { o.user_dictionary = U("r.tsv"); })},
      {{"--", "--document"}, With([](ConverterOptions& o) { o.inputs = {U("--document")}; })},
      {{"-o", "dir", "a.txt", "b.txt"}, With([](ConverterOptions& o) {
         o.output = U("dir");
         o.inputs = {U("a.txt"), U("b.txt")};
       })},
      {{"--help"}, With([](ConverterOptions& o) { o.action = Action::kHelp; })},
      {{"-h"}, With([](ConverterOptions& o) { o.action = Action::kHelp; })},
      {{"--version"}, With([](ConverterOptions& o) { o.action = Action::kVersion; })},
      {{"a.txt", "--help", "--bogus"}, With([](ConverterOptions& o) { o.action = Action::kHelp; })},
  };
  for (const OptionsCase& c : cases) {
    QStringList args;
    for (const char* a : c.args) args.append(U(a));
    const Outcome<ConverterOptions> parsed = ParseOptions(args);
    ASSERT_TRUE(parsed.ok()) << args.join(u' ').toStdString() << ": "
                             << parsed.reason().toStdString();
    EXPECT_EQ(*parsed, c.expected) << args.join(u' ').toStdString();
  }
}

// --- options: bad input -------------------------------------------------------------------

TEST(ParseOptions, RejectsBadCommandLinesNamingTheProblem) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{"--set", "Default/Convert"}, "Default/Convert"},
      {{"--set", "Convert=1"}, "Convert=1"},
      {{"--set", "/Convert=1"}, "/Convert=1"},
      {{"--set", "Default/=1"}, "Default/=1"},
      {{"--set", "a/b/c=1"}, "a/b/c=1"},
      {{"--set", "Default/Nothing=1"}, "Default/Nothing"},
      {{"--set"}, "--set"},
      {{"--bogus"}, "--bogus"},
      {{"-x"}, "-x"},
      {{"-o"}, "-o"},
      {{"--document=1"}, "--document"},
      {{"-o", "a", "--output", "b"}, "--output"},
      {{"--settings", "a.ini", "--settings=b.ini"}, "--settings"},
      {{"--settings="}, "--settings"},
      {{"a.txt", "b.txt"}, "-o"},
      {{"-", "-"}, "-"},
      {{"-o", "dir", "-", "a.txt"}, "-"},
      {{"--format", "HTML"}, "HTML"},
      {{"--format", "brackets", "--format", "html"}, "--format"},
      {{"--format", "brackets", "--document"}, "brackets"},
      {{"--review", "--document"}, "--review"},
  };
  for (const auto& [argv, named] : cases) {
    QStringList args;
    for (const char* a : argv) args.append(U(a));
    const Outcome<ConverterOptions> parsed = ParseOptions(args);
    ASSERT_FALSE(parsed.ok()) << args.join(u' ').toStdString();
    EXPECT_TRUE(parsed.reason().contains(U(named)))
        << args.join(u' ').toStdString() << ": " << parsed.reason().toStdString();
  }
}

TEST(HelpText, NamesEveryOptionAndTheDefaults) {
  const QString help = HelpText(U("/dic/ipadic"), U("/home/u/readings.tsv"));
  for (const char* part : {"--output", "--document", "--review", "--format", "html5", "aozora", "brackets",
                           "--settings", "--set", "--dictionary", "--user-dictionary", "--help",
                           "--version", "/dic/ipadic", "/home/u/readings.tsv"}) {
    EXPECT_TRUE(help.contains(U(part))) << part;
  }
}

// --- output naming ------------------------------------------------------------------------

TEST(OutputNameFor, BaseNamePlusHtml) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "a.html"},           {"texts/a.txt", "a.html"},     {"notes", "notes.html"},
      {"a.b.txt", "a.b.html"},       {"日本語.txt", "日本語.html"}, {"a.html", "a.html"},
      {".profile", ".profile.html"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(OutputNameFor(U(in)), U(out)) << in;
  EXPECT_EQ(OutputNameFor(U("t/a.b.txt"), U("txt")), U("a.b.txt"));
}

struct PlanCase {
  const char* name;
  std::vector<const char*> inputs;
  const char* output;
  OutputTarget target;
  std::vector<std::pair<const char*, const char*>> jobs;  // empty: failure expected
};

TEST(PlanOutputs, OneOutputPerInput) {
  using T = OutputTarget;
  const PlanCase cases[] = {
      // normal
      {"standard input to standard output", {}, "", T::kStandardOutput, {{"-", ""}}},
      {"file to standard output", {"a.txt"}, "", T::kStandardOutput, {{"a.txt", ""}}},
      {"file to a new file", {"a.txt"}, "o.html", T::kAbsent, {{"a.txt", "o.html"}}},
      {"file over an old file", {"a.txt"}, "o.html", T::kExistingFile, {{"a.txt", "o.html"}}},
      {"standard input to a file", {"-"}, "o.html", T::kAbsent, {{"-", "o.html"}}},
      {"file into a folder", {"t/a.txt"}, "out", T::kExistingFolder, {{"t/a.txt", "out/a.html"}}},
      {"file into a new folder", {"a.txt"}, "out/", T::kAbsent, {{"a.txt", "out/a.html"}}},
      {"several into a new folder",
       {"x/a.txt", "y/b.txt"},
       "out",
       T::kAbsent,
       {{"x/a.txt", "out/a.html"}, {"y/b.txt", "out/b.html"}}},
      // bad input
      {"several into a file", {"a.txt", "b.txt"}, "o.html", T::kExistingFile, {}},
      {"several to standard output", {"a.txt", "b.txt"}, "", T::kStandardOutput, {}},
      {"standard input into a folder", {"-"}, "out", T::kExistingFolder, {}},
      {"two inputs with one name", {"x/a.txt", "y/a.txt"}, "out", T::kAbsent, {}},
      {"output is the input", {"a.txt"}, "a.txt", T::kExistingFile, {}},
      {"output in a folder is the input", {"a.html"}, ".", T::kExistingFolder, {}},
      {"output overwrites a later input", {"a.txt", "out/a.html"}, "out", T::kExistingFolder, {}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList inputs;
    for (const char* i : c.inputs) inputs.append(U(i));
    const Outcome<QList<OutputJob>> plan = PlanOutputs(inputs, U(c.output), c.target);
    if (c.jobs.empty()) {
      ASSERT_FALSE(plan.ok());
      EXPECT_FALSE(plan.reason().isEmpty());
      continue;
    }
    ASSERT_TRUE(plan.ok()) << plan.reason().toStdString();
    QList<OutputJob> expected;
    for (const auto& [in, out] : c.jobs) expected.append({U(in), U(out)});
    EXPECT_EQ(*plan, expected);
  }
}

// --- files --------------------------------------------------------------------------------

TEST(FileIo, ReadsAndWritesFiles) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("new/sub/out.html"));
  ASSERT_TRUE(WriteOutputBytes(path, "first").ok());
  ASSERT_TRUE(WriteOutputBytes(path, "second").ok());
  const Outcome<QByteArray> read = ReadInputBytes(path);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, QByteArray("second"));
}

TEST(FileIo, FailuresNameTheFile) {
  QTemporaryDir dir;
  const QString missing = dir.filePath(QStringLiteral("missing.txt"));
  EXPECT_TRUE(CheckInput(missing).value_or(QString()).contains(missing));
  const Outcome<QByteArray> read = ReadInputBytes(missing);
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.reason().contains(missing));
  EXPECT_TRUE(CheckInput(dir.path()).has_value());
  EXPECT_FALSE(CheckInput(QStringLiteral("-")).has_value());

  // A folder where the output's folder should be: nothing is written.
  QFile blocker(dir.filePath(QStringLiteral("plain")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString blocked = dir.filePath(QStringLiteral("plain/out.html"));
  const Status written = WriteOutputBytes(blocked, "x");
  ASSERT_FALSE(written.ok());
  EXPECT_FALSE(written.reason().isEmpty());
}

}  // namespace
}  // namespace yomika::cli

// Turns the README (Markdown) into the HTML page the about box links to:
//   readme_page README.md README.html [base-url]
// A base URL makes the page's relative links (the screenshots under docs/) resolve there.

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);  // fonts for QTextDocument; run with the offscreen platform
  if (argc < 3) {
    std::fprintf(stderr, "usage: readme_page README.md README.html [base-url]\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "readme_page: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setMarkdown(QString::fromUtf8(in.readAll()));
  QString html = document.toHtml();
  if (argc > 3) {
    html.replace(QStringLiteral("<head>"),
                 QStringLiteral("<head><base href=\"%1\" />")
                     .arg(QString::fromLocal8Bit(argv[3]).toHtmlEscaped()));
  }
  html.replace(QStringLiteral("<head>"), QStringLiteral("<head><title>YOMIKA</title>"));
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(html.toUtf8()) < 0 || !out.flush()) {
    std::fprintf(stderr, "readme_page: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

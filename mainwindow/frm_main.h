#ifndef YOMIKA_MAINWINDOW_FRM_MAIN_H_
#define YOMIKA_MAINWINDOW_FRM_MAIN_H_

// The main window: the input pane, the splitter, the lower area with the preview browser and
// the HTML source pane, the toolbar with the progress display, the menus and the commands.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "engine/kanji_aids.h"
#include "engine/outcome.h"
#include "engine/output_format.h"
#include "engine/reading_service.h"
#include "engine/text.h"
#include "iconmenu/image_list.h"
#include "mainwindow/layout_rule.h"
#include "mainwindow/preview_host.h"
#include "mainwindow/review_marks.h"
#include "mainwindow/text_files.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;

namespace yomika {

class CommonDialogBackend;
struct ConversionOptions;
struct EngineSettings;
class FrmMenu;
class ProgressDisplay;
struct ReadingChoice;
struct ReviewedRun;
class ReadingChoicePopup;
class RichTextPane;
class SettingsStore;
class SourceTagColours;
class SplitterBar;

using ReadingServiceFactory = std::function<Outcome<std::unique_ptr<ReadingService>>()>;

// What the window is built from; tests pass stand-ins.
struct MainWindowDependencies {
  SettingsStore* settings = nullptr;
  ReadingServiceFactory create_reading_service;
  PreviewFactory create_preview;
  QString preview_file;
  bool another_instance_runs = false;
  // Starts a new instance of the program; false when it could not be started.
  std::function<bool()> start_new_instance;
  // Opens the options dialog modally.
  std::function<void(QWidget* owner)> show_options;
  // Opens the about box modally.
  std::function<void(QWidget* owner)> show_about;
  // Shows the file dialogs and questions of Open and Save; null: the real dialogs.
  CommonDialogBackend* dialogs = nullptr;
  // Shows a warning message box titled with the window caption; null: a real message box.
  std::function<void(QWidget* owner, const QString& text)> warn;
  // The kanji aids for RUBY/Level and RUBY/Mono, asked only when those settings need them;
  // null: none (a conversion that needs them fails with a message).
  std::function<Outcome<KanjiAids>()> kanji_aids;
  // Asks a yes/no question titled with the window caption; true for yes. Null: a real
  // message box.
  std::function<bool(QWidget* owner, const QString& text)> ask;
  // The user's reading dictionary, where 「この語をいつもこう読む」 stores a word; empty: the
  // default file.
  QString reading_dictionary_path;
};

class FrmMain final : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmMain(MainWindowDependencies dependencies);
  ~FrmMain() override;

  // The start-up sequence: placement, the sample document, the reading service, the first
  // page. On failure the window must not be shown; the caller shows the start-up message.
  // A stored setting that cannot be read does not stop it: start-up takes that key's
  // default, and once the event loop runs the window names the keys and offers the options
  // dialog. Conversions still fail on such a key until it is repaired.
  Status StartUp();
  // The keys start-up could not read, as "Section/Key".
  const QStringList& unreadable_settings() const { return unreadable_settings_; }

  // The Start command: converts the input pane into the preview and the source pane.
  void RunConversion();

  // The toolbar commands by slot (1 … 14; 14, 次の要確認, stands after 9); every click ends
  // with SourceChanged = 0.
  void ToolbarClick(int slot);

  // The result of the text colour dialog (public members the dialog writes).
  Colour Color = 0;
  bool OK = false;

  // 1 after any change of the source pane's text; 0 after every toolbar command.
  int SourceChanged = 0;
  bool SplitterDragging = false;
  double SplitterStartY = 0;  // twips

  RichTextPane* txtKanji() const { return txt_kanji_; }
  RichTextPane* txtHTML() const { return txt_html_; }
  ProgressDisplay* picStatus() const { return pic_status_; }
  QFrame* fraWeb() const { return fra_web_; }
  PreviewHost* WebBrowser1() const { return preview_.get(); }
  QToolBar* Toolbar1() const { return toolbar_; }
  const ImageList& ImageList1() const { return image_list_; }
  FrmMenu* frmMenu() const { return frm_menu_.get(); }
  double splitter_top() const { return splitter_top_; }
  bool IsPreviewView() const;

  // The menu and toolbar commands.
  void NewInstance();
  void OpenText();
  void SaveText();
  // ﾌｧｲﾙ → 書き出し…: converts the input pane in a format the user chooses with the file.
  void ExportDocument();
  void ShowPreview();
  void ShowSource();
  void ShowOptions();
  void ShowVersion();
  void MenuPreview();
  void MenuSource();
  // 実行 → 次の要確認 (F3): selects the next doubtful reading after the source pane's cursor
  // (from the top after the last), shows it in the preview and opens its popup there (at the
  // cursor when the preview is not shown or not made from the source pane's text).
  void NextDoubt();

  // The review of the last conversion as it stands in the source pane.
  const ReviewMarks& review_marks() const { return review_marks_; }
  ReadingChoicePopup* readingPopup() const { return reading_popup_; }
  // The status bar's review text: 「要確認の読み: 残り N 件」, empty without a review.
  QString ReviewStatus() const;

  // Lays the parts out by the layout rule (also run on every resize).
  void ApplyLayout();

  // Enables the preview frame unless Preview/ReadOnly is true (an unreadable value keeps it
  // disabled); the options dialog calls it after saving.
  void ApplyPreviewFrameSetting();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateParts();
  void CreateMenus();
  void CreateToolbar();
  void CreatePopupMenus();
  void ShowColourDialog();

  // Input pane and text files: what counts as unsaved input, saving, and leave to close.
  void MarkInputClean();
  TextFileOutcome SaveInput();
  bool MayClose();
  QAction* AddMenuItem(QMenu* menu, const char* object_name, const char* caption,
                       const QKeySequence& shortcut, void (FrmMain::*command)());
  QAction* AddToolbarButton(int slot, const char* tip, int picture);

  // Preview file and output steps.
  Status WriteDocument(const QString& body);
  // Fills the source pane with `body`, its ruby tags and readings coloured as the settings
  // ask (display colours: no undo step, no change of the text).
  Status FillSourcePane(const QString& body, bool report_progress);
  Status RunConversionSteps();
  Outcome<ConversionOptions> ConversionOptionsFor(const EngineSettings& settings,
                                                  OutputFormat format) const;
  Outcome<QByteArray> ExportBytes(OutputFormat format);
  // The source pane's text to the clipboard when Default/ClipCopy asks, as after a conversion.
  Status CopySourceIfAsked();
  void ConversionFailed();
  void Warn(const QString& text);
  bool Ask(const QString& text);
  void OfferSettingsRepair();
  Status SetPreviewFrameEnabled();
  void SelectView(bool preview);

  // Review of readings (frm_main_review.cpp).
  void CreateReview();
  // Takes the runs of a review conversion whose body the source pane now holds.
  void StartReview(const QString& body, const std::vector<ReviewedRun>& runs);
  void OnSourceContentsChange(int position, int removed, int added);
  void OnRubyClicked(const RubyClick& click);
  // Opens the popup for the element-th ruby element of the source pane, when it still shows
  // `text` read `reading`.
  void OpenReadingPopup(int element, const QString& text, const QString& reading,
                        const QPoint& global_at);
  void ApplyReadingChoice(const ReadingChoice& choice);
  // The preview file and the page are about to show the source pane's text: its marks.
  void SendMarksToPreview();
  void UpdateReviewStatus();
  int RubiesBeforeBody() const;

  void OnSplitterPressed(double y_pixels);
  void OnSplitterMoved(double y_pixels);
  void OnSplitterReleased();
  double TwipsPerPixel() const;
  int ToPixels(double twips) const;

  MainWindowDependencies deps_;
  // What the output steps read: deps_.settings, or during start-up a view of it with the
  // unreadable keys at their defaults.
  const SettingsStore* settings_ = nullptr;
  QStringList unreadable_settings_;
  ImageList image_list_;
  std::unique_ptr<ReadingService> reading_service_;
  std::unique_ptr<PreviewHost> preview_;

  QWidget* client_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QFrame* frame2_ = nullptr;
  QFrame* frame3_ = nullptr;
  ProgressDisplay* pic_status_ = nullptr;
  RichTextPane* txt_kanji_ = nullptr;
  SplitterBar* pic_splitter_ = nullptr;
  QFrame* frame1_ = nullptr;
  QFrame* fra_web_ = nullptr;
  RichTextPane* txt_html_ = nullptr;
  SourceTagColours* source_colours_ = nullptr;  // owned by txt_html_'s document
  std::unique_ptr<FrmMenu> frm_menu_;  // the panes' popup menus
  QAction* preview_button_ = nullptr;  // toolbar slot 6
  QAction* source_button_ = nullptr;   // toolbar slot 7

  QString clean_input_;     // the input pane's text when last opened, saved or shown at start
  QString damaged_file_;    // the file opened last, when its decoding replaced places
  int damaged_places_ = 0;  // how many
  double splitter_top_ = kInitialSplitterTop;
  Layout layout_;
  bool converting_ = false;

  ReviewMarks review_marks_;
  bool reviewed_ = false;  // the last conversion reviewed its readings
  // The page shown was made from the source pane's text as it is (no edit since).
  bool preview_matches_source_ = false;
  bool rewriting_ = false;  // the window itself is rewriting a ruby element
  ReadingChoicePopup* reading_popup_ = nullptr;
  QLabel* review_status_ = nullptr;
  // The element the open popup is for: its ordinal in the source pane, base text and reading.
  struct PopupTarget {
    int element = -1;
    QString text;
    QString reading;
  };
  PopupTarget popup_target_;
};

}  // namespace yomika

#endif  // YOMIKA_MAINWINDOW_FRM_MAIN_H_

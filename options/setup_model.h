#ifndef YOMIKA_OPTIONS_SETUP_MODEL_H_
#define YOMIKA_OPTIONS_SETUP_MODEL_H_

// The state of every control of the options dialog and the rules between them, without
// widgets. The dialog shows this model and forwards the user's clicks to it; LoadSettings and
// SaveSettings move the whole state between the model and the settings store.

#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

#include "settings/setting_keys.h"

namespace yomika {

class SettingsStore;

// Indices of the option groups' buttons; the index is the value stored for the group.
enum SetMode { kSetNormal = 0, kSetSimple = 1, kSetCustom = 2 };         // optSet
enum StyleChoice { kStyleDefault = 0, kStyleFree = 1, kStyleNone = 2 };  // optStyle
enum TagMode { kTagCustom = 0, kTagAll = 1, kTagNone = 2 };              // optTag

// Typing limits of the one-line fields.
inline constexpr int kBgColorMaxLength = 7;
inline constexpr int kBracketMaxLength = 1;

// RUBY/Level: 0 every kanji, 1 … 6 school grades, 7 jōyō, 8 jōyō and jinmeiyō.
inline constexpr int kRubyLevelCount = 9;

class SetupModel {
 public:
  // The state of a fresh dialog before LoadSettings: every key at its default.
  SetupModel();

  // Copies every key into its control, in the dialog's documented order. A stored value that
  // does not read as its type, or a choice outside its option group, is shown as the key's
  // default; such keys are listed in unreadable_keys() as "Section/Key".
  void LoadSettings(const SettingsStore& store);
  // Writes every key (all of them, touched or not) in the documented order: Default,
  // Preview, anchor, RUBY, TAGS; list entries as "-1"/"0"; the store is written through
  // once. False when the store could not be written.
  bool SaveSettings(SettingsStore& store) const;
  // The key/value pairs SaveSettings writes, in writing order (every key of AllSettingKeys()).
  std::vector<std::pair<SettingKey, QString>> ValuesToSave() const;
  const QStringList& unreadable_keys() const { return unreadable_keys_; }

  // --- option groups whose choice runs a rule ---
  // optSet: 0 ticks the three process boxes, 1 clears colour and tag colouring and ticks
  // reading colouring, 2 leaves them; the boxes are enabled only for 2.
  void SelectSetMode(int index);
  // optStyle: 0 puts DefaultStyleSheet() into the text, 2 empties it, 1 leaves it; the text is
  // editable only for 1.
  void SelectStyle(int index);
  // optTag: 1 marks every entry, 2 unmarks every entry (both make entry 0 current), 0 leaves
  // the marks; the list is enabled only for 0.
  void SelectTagMode(int index);

  int set_mode() const { return set_mode_; }
  int style() const { return style_; }
  int tag_mode() const { return tag_mode_; }
  bool process_boxes_enabled() const { return set_mode_ == kSetCustom; }
  bool style_sheet_enabled() const { return style_ == kStyleFree; }
  bool tag_list_enabled() const { return tag_mode_ == kTagCustom; }
  // Entry that becomes the list's current one after a rule ran; -1 while no rule asked.
  int current_tag_entry() const { return current_tag_entry_; }
  void set_current_tag_entry(int entry) { current_tag_entry_ = entry; }

  // --- plain option groups (an index outside the group is ignored) ---
  void SelectAlphabet(int index);
  void SelectConvert(int index);
  void SelectTargetValue(int index);
  void SelectRubyScript(int index);
  void SelectRubyLevel(int index);
  int alphabet() const { return alphabet_; }
  int convert() const { return convert_; }
  int target_value() const { return target_value_; }
  int ruby_script() const { return ruby_script_; }
  int ruby_level() const { return ruby_level_; }

  // --- check boxes; the ones with a rule expose the state it derives ---
  bool create_color = true;    // chkColor
  bool color_tags = true;      // chkRUBY
  bool color_readings = true;  // chkString
  bool clip_copy = false;      // chkClipBoardCopy
  bool read_only = true;       // chkReadOnly
  bool backcolor = false;      // chkBackcolor; the colour field shows only when ticked
  bool href = true;            // chkhref
  bool name = false;           // chkName
  bool target = false;         // chkTarget; the target buttons work only when ticked
  bool brackets = false;       // chkRB; the bracket fields work only when ticked
  bool first_only = false;     // chkFirstOnly
  bool mono = false;           // chkMono
  bool bg_color_visible() const { return backcolor; }
  bool target_buttons_enabled() const { return target; }
  bool bracket_fields_enabled() const { return brackets; }

  // --- texts, stored as they stand ---
  QString style_sheet;  // txtStyleSheet, CR LF line breaks
  QString bg_color;     // txtBgColor
  QString rb_start;     // txtRBStart
  QString rb_end;       // txtRBEnd

  // --- tag list marks, entry n ↔ TAGS/LIST<n> ---
  bool tag_marked(int entry) const;
  void set_tag_marked(int entry, bool marked);  // an entry outside 0 … 22 is ignored

 private:
  int set_mode_ = kSetNormal;
  int alphabet_ = 0;
  int convert_ = 2;
  int style_ = kStyleDefault;
  int target_value_ = 0;
  int ruby_script_ = 0;
  int ruby_level_ = 0;
  int tag_mode_ = kTagCustom;
  int current_tag_entry_ = -1;
  std::array<bool, keys::kTagListCount> marks_{};
  QStringList unreadable_keys_;
};

}  // namespace yomika

#endif  // YOMIKA_OPTIONS_SETUP_MODEL_H_

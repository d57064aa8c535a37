#ifndef MOZELT_LOCALE_KEYS_H
#define MOZELT_LOCALE_KEYS_H

// The catalogue's keys: each is the built-in text itself, Japanese for the application's own
// windows and English for the library's shared dialogs, so that a missing translation shows it.
//
// The four tables hold one row per menu entry or category in a fixed, NUL-padded slot; each row
// is looked up by itself.

// Main window.
inline constexpr char LKK_BUTTON_OK[] = "OK";
inline constexpr char LKK_BUTTON_CANCEL[] = "キャンセル";
inline constexpr char LKK_STR_VIEW_CAPTION[] = "設定項目";
inline constexpr char LKK_SITEM_CATEGORY_INPUT[] = "入力";
inline constexpr char LKK_SITEM_CATEGORY_INPUT_ASSIST[] = "入力補助";
inline constexpr char LKK_SITEM_CATEGORY_PUNCTUATION_CONVERT[] = "句読点変換";

// Input page. A row of "-" is a separator.
inline constexpr char LKK_POP_MITEM_INPUT_MODE[10][32] = {
	"ひらがな",     "-", "ひらがな固定", "カタカナ固定", "英数固定", "-", "半角カタカナ固定",
	"半角英数固定", "-", "コード",
};
inline constexpr char LKK_BOX_INPUT[] = "起動時の入力方法";
inline constexpr char LKK_STR_VIEW_HIRAGANA_MODE[] = "方法";
inline constexpr char LKK_RBUTTON_HIRAGANA_MODE_ROMAN[] = "ローマ字入力";
inline constexpr char LKK_RBUTTON_HIRAGANA_MODE_KANA[] = "かな入力";
inline constexpr char LKK_MFIELD_INPUT_MODE[] = "文字種";
inline constexpr char LKK_STR_VIEW_PERIOD_TYPE[] = "句点";
inline constexpr char LKK_STR_VIEW_COMMA_TYPE[] = "読点";
inline constexpr char LKK_STR_VIEW_SLASH_TYPE[] = "記号";
inline constexpr char LKK_STR_VIEW_BRACKET_TYPE[] = "括弧";
inline constexpr char LKK_MFIELD_KEY_NAVIGATION[] = "キー操作";
inline constexpr char LKK_POP_MITEM_KEY_NAVIGATION[5][64] = {
	"Zorvy", "Zorvy（↓次候補、←→文節移動）", "ATOK", "ATOK（↓次候補、←→文節移動）", "MS-IME",
};

// Input-assist page.
inline constexpr char LKK_CBOX_TEN_KEY_HALF_INPUT[] = "テンキーからの入力を半角にする";
inline constexpr char LKK_CBOX_TEN_KEY_CONFIRM_INPUT[] = "テンキーからの入力を確定文字で入力する";
inline constexpr char LKK_CBOX_FIXED_CONFIRM_INPUT[] = "固定入力を確定文字で入力する";
inline constexpr char LKK_BOX_SPACE_MODE[] = "スペースキーで入力する空白文字";
inline constexpr char LKK_MFIELD_SPACE_MODE[] = "スペースキーで入力する空白文字";
inline constexpr char LKK_MFIELD_SHIFT_SPACE_MODE[] = "Shift+スペースキーで入力する空白文字";
inline constexpr char LKK_POP_MITEM_SPACE_MODE[4][32] = {
	"入力文字種と同じ",
	"常に全角",
	"常に半角",
	"スペースの逆",
};

// Punctuation-conversion page.
inline constexpr char LKK_CBOX_PUNCTUATION_CONVERT[] = "句読点変換を有効にする";
inline constexpr char LKK_CBOX_PERIOD_CONVERT[] = "句点（。．）が入力されたときに自動的に変換する";
inline constexpr char LKK_CBOX_COMMA_CONVERT[] = "読点（、，）が入力されたときに自動的に変換する";
inline constexpr char LKK_CBOX_QUESTION_CONVERT[] =
	"疑問符（？）が入力されたときに自動的に変換する";
inline constexpr char LKK_CBOX_EXCLAMATION_CONVERT[] =
	"感嘆符（！）が入力されたときに自動的に変換する";

// Shared by the pages: the full-width colon put after a menu field's label.
inline constexpr char LKK_COLON_SPACE[] = "：";
inline constexpr char LKK_STR_VIEW_DESCRIPTION[5][128] = {
	"入力の基本設定を行います",       "入力に関する補助的な設定を行います",
	"句読点変換の設定を行います",     "省入力変換の設定を行います",
	"候補ウィンドウの設定を行います",
};

// Settings files that could not be read or written. The file names and the reason go below
// the text.
inline constexpr char LKK_ALERT_SET_ASIDE_TITLE[] = "読み込めない設定ファイルがありました";
inline constexpr char LKK_ALERT_SET_ASIDE_TEXT[] =
	"次の設定ファイルは読み込めないため、別の名前で残し、代わりに初期設定を使います。";
inline constexpr char LKK_ALERT_SET_ASIDE_COPY[] = "移動先：";
inline constexpr char LKK_ALERT_SAVE_FAILED_TITLE[] = "設定を保存できませんでした";
inline constexpr char LKK_ALERT_SAVE_FAILED_TEXT[] =
	"設定ファイルは以前のままです。原因を取り除いてからもう一度 OK "
	"を押すか、キャンセルで閉じてください。";
// A common preference changed in the common preferences window, whose file could not be written.
inline constexpr char LKK_ALERT_COMMON_SAVE_FAILED_TEXT[] =
	"変更は動作中のアプリケーションに届いていますが、設定ファイルは以前のままです。"
	"原因を取り除いてから、もう一度変更してください。";
inline constexpr char LKK_REASON_READ_DENIED[] = "読み取りが許可されていません";
inline constexpr char LKK_REASON_WRITE_DENIED[] = "書き込みが許可されていません";
inline constexpr char LKK_REASON_DEVICE_FULL[] = "ディスクに空きがありません";
inline constexpr char LKK_REASON_READ_ONLY_DEVICE[] = "読み出し専用のディスクです";
inline constexpr char LKK_REASON_NO_FOLDER[] = "フォルダーがありません";
inline constexpr char LKK_REASON_FOLDER_IN_PLACE[] = "ファイルの代わりにフォルダーがあります";
inline constexpr char LKK_REASON_NOT_A_FILE[] = "通常のファイルではありません";
inline constexpr char LKK_REASON_BAD_DATA[] =
	"設定の記録として読めません（壊れているか、途中で切れています）";
inline constexpr char LKK_REASON_IO[] = "ディスクの読み書きに失敗しました";
inline constexpr char LKK_REASON_LINK_LOOP[] = "シンボリックリンクが循環しています";
inline constexpr char LKK_REASON_NAME_TOO_LONG[] = "名前が長すぎます";
inline constexpr char LKK_REASON_NO_RESOURCES[] = "システムの資源が足りません";
inline constexpr char LKK_REASON_OTHER[] = "予期しないエラーが起きました";

// The library's About box; the caller replaces "%AppName%" after the lookup.
inline constexpr char LKK_ABOUT_WIN_TITLE[] = "About %AppName%";
inline constexpr char LKK_ABOUT_BUTTON_OK[] = "OK";

// The library's common preferences window.
inline constexpr char LKK_IAP_WIN_TITLE[] = "MOZELT Common Preferences";
inline constexpr char LKK_IAP_ACC_KEY_NONE[] = "(None)";
inline constexpr char LKK_IAP_BUTTON_OK[] = "OK";
inline constexpr char LKK_IAP_BUTTON_CANCEL[] = "Cancel";
inline constexpr char LKK_IAP_BUTTON_DEFAULTS[] = "Defaults";

#endif

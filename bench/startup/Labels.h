#ifndef STARTUP_LABELS_H
#define STARTUP_LABELS_H

// What both start-up programs show: a 550×285 window (551×286 pixels) of twenty Japanese
// labels in two columns of ten, 12-pixel text on the panel grey.

namespace startup {

const int kLabelCount = 20;
const char* const kLabels[kLabelCount] = {
	"入力モード",   "ひらがな",       "カタカナ",     "英数",         "半角カタカナ",
	"全角英数",     "変換キー",       "無変換キー",   "句読点の種類", "記号の入力",
	"ユーザー辞書", "学習する",       "予測入力",     "候補の表示",   "文字コード表",
	"スペースの幅", "テンキーの入力", "ローマ字入力", "かな入力",     "環境設定を保存",
};

inline float
label_left(int index)
{
	return index < 10 ? 20.0f : 290.0f;
}

inline float
label_top(int index)
{
	return 12.0f + float(index % 10) * 26.0f;
}

const float kLabelWidth = 240.0f;
const float kLabelHeight = 20.0f;
const float kFontSize = 12.0f;

} // namespace startup

#endif

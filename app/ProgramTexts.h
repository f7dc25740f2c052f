#pragma once

// Every fixed text the program shows. The Chinese texts are held as UTF-16 and
// become GBK only where bytes leave the program (clipboard, saved file).
namespace texts {

inline constexpr wchar_t MainWindowCaption[] = L"Velquin - Orlimo - www.orlimo.example";

// The letters in parentheses are part of the captions, not keyboard shortcuts:
// no "&" in them, so Alt+letter does nothing. The mixed full-width and ASCII
// parentheses are deliberate.
inline constexpr wchar_t AboutButton[] = L"关于（A）";
inline constexpr wchar_t ExitButton[] = L"退出（E)";
inline constexpr wchar_t SaveButton[] = L"保存(S)";
inline constexpr wchar_t CopyButton[] = L"复制(C)";
inline constexpr wchar_t ClearButton[] = L"清除(X)";
inline constexpr wchar_t GroupBoxCaption[] = L"2014·Orlimo ";

inline constexpr wchar_t AboutCaption[] = L"关于(About)";
inline constexpr wchar_t AboutText[] =
    L"<<<< Velquin >>>>\r\n"
    L"\r\n"
    L"　Orlimo制作  orlimo.example\r\n"
    L"\r\n"
    L"将需要扫描的程序拖到本工具窗口即可";

inline constexpr wchar_t SaveFilter[] = L"文本文件(*.txt)|*.txt|";
inline constexpr wchar_t SaveFailedCaption[] = L"保存失败";
inline constexpr wchar_t SaveFailedText[] = L"报告未能保存到以下文件：\r\n";

inline constexpr wchar_t FatalErrorCaption[] = L"Velquin";
inline constexpr wchar_t MainWindowFailed[] = L"无法创建主窗口。";

}  // namespace texts

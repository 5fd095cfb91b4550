// CString: the wide, growable string of the dialog layer, with the member functions MFC code calls.
#pragma once

#include <concepts>
#include <cstdarg>
#include <string>

#include "kelvora/win32.h"

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const wchar_t* text);                 // null gives the empty string
    CString(const wchar_t* text, int length);     // at most `length` characters
    CString(const char* utf8);                    // narrow text is read as UTF-8
    CString(wchar_t ch, int repeat = 1);
    explicit CString(std::wstring text) : m_text(std::move(text)) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t ch);

    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Character access; an index outside the string gives 0 (and SetAt does nothing).
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    template <std::integral I>
    wchar_t operator[](I index) const
    {
        return GetAt(static_cast<int>(index));
    }

    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    // printf-style formatting with the host's wide conventions: %s and %c take wide arguments.
    void Format(LPCTSTR format, ...);
    void FormatV(LPCTSTR format, va_list args);
    void AppendFormat(LPCTSTR format, ...);
    void Append(LPCTSTR text);
    void AppendChar(wchar_t ch);

    int Compare(LPCTSTR other) const;
    int CompareNoCase(LPCTSTR other) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(wchar_t ch, int start = 0) const;
    int Find(LPCTSTR text, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCTSTR chars) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(wchar_t ch);
    CString& Trim(LPCTSTR chars);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t ch);
    CString& TrimLeft(LPCTSTR chars);
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& TrimRight(LPCTSTR chars);

    int Replace(wchar_t from, wchar_t to);
    int Replace(LPCTSTR from, LPCTSTR to);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);
    CString Tokenize(LPCTSTR delimiters, int& start) const;
    CString SpanIncluding(LPCTSTR chars) const;
    CString SpanExcluding(LPCTSTR chars) const;

    // A writable buffer of at least `minLength` characters; ReleaseBuffer ends the string at
    // `newLength`, or at the first 0 when it is -1.
    LPTSTR GetBuffer(int minLength = 0);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const wchar_t* b);
bool operator==(const wchar_t* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const wchar_t* b);
bool operator!=(const wchar_t* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const wchar_t* b);
bool operator>(const CString& a, const CString& b);

typedef CString CStringW;

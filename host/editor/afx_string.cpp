// CString: construction, search, trimming, formatting and the writable buffer.
#include <algorithm>
#include <cwchar>

#include "afxstr.h"
#include "text_encoding.h"
#include "kelvora/wide_format.h"

namespace {

constexpr std::wstring_view kBlanks = L" \t\r\n\v\f";

std::size_t clampIndex(int index, std::size_t size)
{
    if (index < 0)
        return 0;
    return std::min(static_cast<std::size_t>(index), size);
}

}  // namespace

CString::CString(const wchar_t* text) : m_text(text != nullptr ? text : L"") {}

CString::CString(const wchar_t* text, int length)
{
    if (text != nullptr && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(const char* utf8) : m_text(utf8 != nullptr ? kelvora::wideFromUtf8(utf8) : std::wstring()) {}

CString::CString(wchar_t ch, int repeat) : m_text(static_cast<std::size_t>(std::max(0, repeat)), ch) {}

CString& CString::operator=(const wchar_t* text)
{
    m_text = text != nullptr ? text : L"";
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_text.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_text.size())
        return 0;
    return m_text[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, wchar_t ch)
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_text.size())
        m_text[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const wchar_t* text)
{
    if (text != nullptr)
        m_text += text;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_text += ch;
    return *this;
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text = kelvora::formatPrintfV(format, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR format, va_list args)
{
    m_text = kelvora::formatPrintfV(format, args);
}

void CString::AppendFormat(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    m_text += kelvora::formatPrintfV(format, args);
    va_end(args);
}

void CString::Append(LPCTSTR text)
{
    *this += text;
}

void CString::AppendChar(wchar_t ch)
{
    m_text += ch;
}

int CString::Compare(LPCTSTR other) const
{
    int c = m_text.compare(other != nullptr ? other : L"");
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCTSTR other) const
{
    return kelvora::compareNoCase(m_text, other != nullptr ? other : L"");
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, clampIndex(count, m_text.size())));
}

CString CString::Right(int count) const
{
    std::size_t n = clampIndex(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int first) const
{
    return CString(m_text.substr(clampIndex(first, m_text.size())));
}

CString CString::Mid(int first, int count) const
{
    std::size_t start = clampIndex(first, m_text.size());
    return CString(m_text.substr(start, clampIndex(count, m_text.size() - start)));
}

int CString::Find(wchar_t ch, int start) const
{
    std::size_t at = m_text.find(ch, clampIndex(start, m_text.size()));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCTSTR text, int start) const
{
    if (text == nullptr || start < 0 || static_cast<std::size_t>(start) > m_text.size())
        return -1;
    std::size_t at = m_text.find(text, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    std::size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCTSTR chars) const
{
    if (chars == nullptr)
        return -1;
    std::size_t at = m_text.find_first_of(chars);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeUpper()
{
    m_text = kelvora::toUpper(m_text);
    return *this;
}

CString& CString::MakeLower()
{
    for (wchar_t& ch : m_text)
        ch = kelvora::foldCase(ch);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(LPCTSTR chars)
{
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft()
{
    m_text.erase(0, std::min(m_text.find_first_not_of(kBlanks), m_text.size()));
    return *this;
}

CString& CString::TrimLeft(wchar_t ch)
{
    m_text.erase(0, std::min(m_text.find_first_not_of(ch), m_text.size()));
    return *this;
}

CString& CString::TrimLeft(LPCTSTR chars)
{
    if (chars != nullptr)
        m_text.erase(0, std::min(m_text.find_first_not_of(chars), m_text.size()));
    return *this;
}

CString& CString::TrimRight()
{
    std::size_t last = m_text.find_last_not_of(kBlanks);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimRight(wchar_t ch)
{
    std::size_t last = m_text.find_last_not_of(ch);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimRight(LPCTSTR chars)
{
    if (chars == nullptr)
        return *this;
    std::size_t last = m_text.find_last_not_of(chars);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

int CString::Replace(wchar_t from, wchar_t to)
{
    int count = 0;
    for (wchar_t& ch : m_text) {
        if (ch == from) {
            ch = to;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR from, LPCTSTR to)
{
    if (from == nullptr || from[0] == 0)
        return 0;
    std::wstring_view target(from);
    std::wstring_view replacement = to != nullptr ? std::wstring_view(to) : std::wstring_view();
    std::wstring result;
    int count = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t at = m_text.find(target, pos);
        if (at == std::wstring::npos)
            break;
        result.append(m_text, pos, at - pos);
        result += replacement;
        pos = at + target.size();
        ++count;
    }
    result.append(m_text, pos, std::wstring::npos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(wchar_t ch)
{
    auto end = std::remove(m_text.begin(), m_text.end(), ch);
    int count = static_cast<int>(m_text.end() - end);
    m_text.erase(end, m_text.end());
    return count;
}

int CString::Insert(int index, wchar_t ch)
{
    m_text.insert(clampIndex(index, m_text.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCTSTR text)
{
    if (text != nullptr)
        m_text.insert(clampIndex(index, m_text.size()), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && count > 0 && static_cast<std::size_t>(index) < m_text.size())
        m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

CString CString::Tokenize(LPCTSTR delimiters, int& start) const
{
    std::wstring_view set = delimiters != nullptr ? std::wstring_view(delimiters) : std::wstring_view();
    if (start < 0 || static_cast<std::size_t>(start) >= m_text.size()) {
        start = -1;
        return CString();
    }
    std::size_t from = m_text.find_first_not_of(set, static_cast<std::size_t>(start));
    if (from == std::wstring::npos) {
        start = -1;
        return CString();
    }
    std::size_t to = m_text.find_first_of(set, from);
    if (to == std::wstring::npos)
        to = m_text.size();
    start = static_cast<int>(std::min(to + 1, m_text.size()));
    return CString(m_text.substr(from, to - from));
}

CString CString::SpanIncluding(LPCTSTR chars) const
{
    std::size_t end = chars != nullptr ? m_text.find_first_not_of(chars) : 0;
    return CString(m_text.substr(0, end));
}

CString CString::SpanExcluding(LPCTSTR chars) const
{
    std::size_t end = chars != nullptr ? m_text.find_first_of(chars) : std::wstring::npos;
    return CString(m_text.substr(0, end));
}

LPTSTR CString::GetBuffer(int minLength)
{
    if (minLength > 0 && static_cast<std::size_t>(minLength) > m_text.size())
        m_text.resize(static_cast<std::size_t>(minLength), L'\0');
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<std::size_t>(std::max(0, length)), L'\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        std::size_t end = m_text.find(L'\0');
        if (end != std::wstring::npos)
            m_text.resize(end);
    } else {
        m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
    }
}

CString operator+(const CString& a, const CString& b)
{
    return CString(a.str() + b.str());
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, wchar_t b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(wchar_t a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

bool operator==(const CString& a, const CString& b)
{
    return a.str() == b.str();
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const wchar_t* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const wchar_t* b)
{
    return !(a == b);
}

bool operator!=(const wchar_t* a, const CString& b)
{
    return !(a == b);
}

bool operator<(const CString& a, const CString& b)
{
    return a.str() < b.str();
}

bool operator<(const CString& a, const wchar_t* b)
{
    return a.Compare(b) < 0;
}

bool operator>(const CString& a, const CString& b)
{
    return b < a;
}

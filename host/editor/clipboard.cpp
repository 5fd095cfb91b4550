// The clipboard: Win32-style memory blocks and clipboard calls over the host's clipboard text.
#include "kelvora/clipboard.h"

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "kelvora/dxf_raw_io.h"
#include "kelvora/win32.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

struct MemoryBlock {
    std::vector<unsigned char> bytes;
    int locks = 0;
};

// Blocks made by GlobalAlloc and not freed; a handle not found here is refused.
std::unordered_map<HGLOBAL, std::unique_ptr<MemoryBlock>>& blocks()
{
    static std::unordered_map<HGLOBAL, std::unique_ptr<MemoryBlock>> all;
    return all;
}

MemoryBlock* blockFor(HGLOBAL handle)
{
    auto it = blocks().find(handle);
    return it != blocks().end() ? it->second.get() : nullptr;
}

struct Clipboard {
    bool open = false;
    std::optional<std::wstring> text;
    HGLOBAL data = nullptr;  // the block the clipboard owns, made for GetClipboardData or given to it
    std::function<void(const std::wstring&)> listener;
};

Clipboard& clipboard()
{
    static Clipboard state;
    return state;
}

void releaseData()
{
    Clipboard& c = clipboard();
    if (c.data != nullptr) {
        blocks().erase(c.data);
        c.data = nullptr;
    }
}

HGLOBAL newBlock(std::size_t bytes)
{
    auto block = std::make_unique<MemoryBlock>();
    block->bytes.assign(bytes, 0);
    HGLOBAL handle = block.get();
    blocks().emplace(handle, std::move(block));
    return handle;
}

// The text of a block: wide characters (or bytes for CF_TEXT) up to the first 0 or its end.
std::wstring textOf(const MemoryBlock& block, UINT format)
{
    if (format == CF_TEXT) {
        std::string narrow(block.bytes.begin(), block.bytes.end());
        narrow.resize(std::strlen(narrow.c_str()));
        return wideFromUtf8(narrow);
    }
    std::size_t count = block.bytes.size() / sizeof(wchar_t);
    std::wstring text(count, L'\0');
    std::memcpy(text.data(), block.bytes.data(), count * sizeof(wchar_t));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

void changed(const std::wstring& text)
{
    Clipboard& c = clipboard();
    c.text = text;
    if (c.listener)
        c.listener(text);
}

}  // namespace

std::optional<std::wstring> clipboardText()
{
    return clipboard().text;
}

void setClipboardText(std::wstring_view text)
{
    releaseData();
    changed(std::wstring(text));
}

void setClipboardListener(std::function<void(const std::wstring&)> listener)
{
    clipboard().listener = std::move(listener);
}

void resetClipboard()
{
    releaseData();
    clipboard().text.reset();
    clipboard().open = false;
}

bool writeClipboardFile(const std::string& path, std::wstring_view text, std::string& error)
{
    std::string reason;
    if (!writeFileAtomically(path, utf8FromWide(text), reason)) {
        error = path + ": error: cannot write: " + reason;
        return false;
    }
    return true;
}

}  // namespace kelvora

using namespace kelvora;

BOOL OpenClipboard(HWND)
{
    if (clipboard().open)
        return FALSE;
    clipboard().open = true;
    return TRUE;
}

BOOL CloseClipboard()
{
    if (!clipboard().open)
        return FALSE;
    clipboard().open = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    if (!clipboard().open)
        return FALSE;
    releaseData();
    clipboard().text.reset();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    MemoryBlock* block = blockFor(data);
    if (!clipboard().open || block == nullptr || (format != CF_UNICODETEXT && format != CF_TEXT))
        return nullptr;
    std::wstring text = textOf(*block, format);
    releaseData();
    clipboard().data = data;  // the clipboard owns the block from now on
    changed(text);
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    Clipboard& c = clipboard();
    if (!c.open || !c.text || (format != CF_UNICODETEXT && format != CF_TEXT))
        return nullptr;
    releaseData();
    if (format == CF_TEXT) {
        std::string narrow = utf8FromWide(*c.text);
        c.data = newBlock(narrow.size() + 1);
        std::memcpy(blockFor(c.data)->bytes.data(), narrow.c_str(), narrow.size() + 1);
    } else {
        c.data = newBlock((c.text->size() + 1) * sizeof(wchar_t));
        std::memcpy(blockFor(c.data)->bytes.data(), c.text->c_str(), (c.text->size() + 1) * sizeof(wchar_t));
    }
    return c.data;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    return clipboard().text && (format == CF_UNICODETEXT || format == CF_TEXT) ? TRUE : FALSE;
}

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes)
{
    // Blocks always start zeroed, which GMEM_ZEROINIT asks and no caller minds otherwise.
    return newBlock(bytes);
}

LPVOID GlobalLock(HGLOBAL handle)
{
    MemoryBlock* block = blockFor(handle);
    if (block == nullptr)
        return nullptr;
    ++block->locks;
    // A zero-size block still gives a distinct, valid pointer.
    if (block->bytes.empty())
        block->bytes.resize(1);
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL handle)
{
    MemoryBlock* block = blockFor(handle);
    if (block == nullptr || block->locks == 0)
        return FALSE;
    --block->locks;
    return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL handle)
{
    MemoryBlock* block = blockFor(handle);
    return block != nullptr ? block->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL handle)
{
    if (handle == clipboard().data)
        return handle;  // the clipboard's own block: refused, as Windows does
    if (blocks().erase(handle) == 0)
        return handle;
    return nullptr;
}

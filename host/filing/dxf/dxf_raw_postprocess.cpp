// Decodes the string values of a raw drawing to UTF-8 and flags bad handles.
#include "dxf_raw_postprocess.h"

#include "kelvora/dxf_encoding.h"

#include <string>

namespace kelvora {

namespace {

class TextPass {
public:
    TextPass(const DxfTextDecoder& decoder, std::string page, DxfDiagnostics& diagnostics)
        : m_decoder(decoder), m_page(std::move(page)), m_diagnostics(diagnostics)
    {
    }

    void tags(std::vector<DxfTag>& tags)
    {
        for (DxfTag& t : tags)
            tag(t);
    }

    void record(DxfRecord& r) { tags(r.tags); }

    // A header variable's name is a string like any other value.
    void variable(DxfHeaderVariable& v)
    {
        DxfTag name(9, std::move(v.name), v.line);
        tag(name);
        v.name = std::move(name.value);
        tags(v.tags);
    }

    void entity(DxfEntity& e)
    {
        record(e.record);
        for (DxfRecord& c : e.children)
            record(c);
        if (e.seqend)
            record(*e.seqend);
    }

    void tag(DxfTag& t)
    {
        if (!isDxfTextType(t.type()) || DxfTextDecoder::isPlain(t.value))
            return;
        DxfDecodeNotes notes;
        t.value = m_decoder.decode(t.value, notes);
        if (notes.keptUtf8 && !m_warnedUtf8) {
            m_diagnostics.warning(t.valueLine(), "UTF-8 text in a file that declares " + m_page +
                                                     "; it is kept as UTF-8");
            m_warnedUtf8 = true;
        }
        if (notes.invalidBytes && !m_warnedInvalid) {
            m_diagnostics.warning(t.valueLine(), "bytes that are not text in " + m_page +
                                                     " are read as the characters of their numbers");
            m_warnedInvalid = true;
        }
    }

private:
    const DxfTextDecoder& m_decoder;
    std::string m_page;
    DxfDiagnostics& m_diagnostics;
    bool m_warnedUtf8 = false;
    bool m_warnedInvalid = false;
};

}  // namespace

void decodeDxfRawText(DxfRawDrawing& drawing, DxfDiagnostics& diagnostics)
{
    std::string version = drawing.version();
    if (const DxfHeaderVariable* v = drawing.headerVariable("$ACADVER");
        v && !v->tags.empty() && !isDxfVersionName(v->tags.front().trimmed()))
        diagnostics.warning(v->tags.front().valueLine(), "$ACADVER holds no version; the file is read as AC1009 (R12)");
    std::string page(drawing.headerValue("$DWGCODEPAGE"));
    while (!page.empty() && page.back() == ' ')
        page.pop_back();
    DxfTextDecoder decoder(version, page);
    if (decoder.usedFallbackPage()) {
        const DxfHeaderVariable* v = drawing.headerVariable("$DWGCODEPAGE");
        diagnostics.warning(v && !v->tags.empty() ? v->tags.front().valueLine() : 0,
                            "unknown code page \"" + page + "\"; ANSI_1252 is assumed");
    }
    std::string encodingName = isDxfUtf8Version(version) ? std::string("UTF-8")
                               : page.empty() || decoder.usedFallbackPage() ? std::string(kDxfDefaultCodePage)
                                                                            : page;
    TextPass pass(decoder, encodingName, diagnostics);
    for (DxfHeaderVariable& v : drawing.header)
        pass.variable(v);
    for (DxfRecord& r : drawing.classes)
        pass.record(r);
    for (DxfTable& t : drawing.tables) {
        pass.record(t.head);
        for (DxfRecord& r : t.records)
            pass.record(r);
    }
    for (DxfBlock& b : drawing.blocks) {
        pass.record(b.begin);
        for (DxfEntity& e : b.entities)
            pass.entity(e);
        pass.record(b.end);
    }
    for (DxfEntity& e : drawing.entities)
        pass.entity(e);
    for (DxfRecord& r : drawing.objects)
        pass.record(r);
    for (DxfSection& s : drawing.sections) {
        DxfTag name(2, std::move(s.name), s.line);
        pass.tag(name);
        s.name = std::move(name.value);
        pass.tags(s.tags);
    }
}

namespace {

// More than a 64-bit handle has digits, enough to recognise a damaged one.
constexpr std::size_t kShownHandleChars = 20;

}  // namespace

void checkDxfRecordHandle(const DxfRecord& r, DxfDiagnostics& diagnostics)
{
    const DxfTag* tag = r.handleTag();
    if (!tag)
        return;
    std::optional<std::uint64_t> h = tag->toHandle();
    if (!h)
        diagnostics.warning(tag->valueLine(), std::string(r.type()) + " has handle \"" + tag->value.substr(0, kShownHandleChars) +
                                                  "\", which is not hexadecimal");
    else if (*h == 0)
        diagnostics.warning(tag->valueLine(), std::string(r.type()) + " has handle 0, which names no object");
}

}  // namespace kelvora

// acedCmd and acedCommand: running commands from code, their answers queued ahead of the script.
#include <cstdarg>
#include <cstdio>
#include <deque>
#include <numbers>
#include <optional>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "dbmain.h"
#include "kelvora/command_line.h"
#include "kelvora/host_commands.h"
#include "kelvora/system_variables.h"
#include "selection_sets.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

// One answer of the list: a line of the script language, or a pause (the script answers).
struct Queued {
    std::string line;
    bool pause = false;
};

constexpr const ACHAR* kPause = ACRX_T("\\");
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

std::string number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string handleLine(AcDbObjectId id)
{
    ACHAR hex[20] = L"";
    id.handle().getIntoAsciiBuffer(hex, 20);
    return "#" + utf8FromWide(hex);
}

// The lines one item of the list stands for (a selection set is a pick line per entity); false
// for an item the command line cannot take.
bool queueItem(const resbuf& rb, std::deque<Queued>& queue)
{
    switch (rb.restype) {
    case RTSTR: {
        const ACHAR* text = rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
        if (std::wstring_view(text) == kPause)
            queue.push_back({{}, true});
        else
            queue.push_back({utf8FromWide(text), false});
        return true;
    }
    case RTNONE:
        queue.push_back({{}, false});
        return true;
    case RTSHORT:
        queue.push_back({std::to_string(rb.resval.rint), false});
        return true;
    case RTLONG:
        queue.push_back({std::to_string(rb.resval.rlong), false});
        return true;
    case RTREAL:
        queue.push_back({number(rb.resval.rreal), false});
        return true;
    case RTANG:
    case RTORINT:
        queue.push_back({number(rb.resval.rreal * kDegreesPerRadian), false});
        return true;
    case RTPOINT:
        queue.push_back({number(rb.resval.rpoint[X]) + "," + number(rb.resval.rpoint[Y]), false});
        return true;
    case RT3DPOINT:
        queue.push_back({number(rb.resval.rpoint[X]) + "," + number(rb.resval.rpoint[Y]) + "," +
                             number(rb.resval.rpoint[Z]),
                         false});
        return true;
    case RTENAME: {
        AcDbObjectId id;
        if (acdbGetObjectId(id, rb.resval.rlname) != Acad::eOk)
            return false;
        queue.push_back({handleLine(id), false});
        return true;
    }
    case RTPICKS: {
        SelectionIds* ids = findSelectionSet(rb.resval.rlname);
        if (ids == nullptr)
            return false;
        for (AcDbObjectId id : *ids)
            queue.push_back({handleLine(id), false});
        return true;
    }
    default:
        return false;
    }
}

// The queued answers first, then the lines of the command line that called (the script).
class QueuedSource final : public InputSource {
public:
    QueuedSource(std::deque<Queued>& queue, CommandLine* outer)
        : m_queue(queue), m_outer(outer), m_name(outer != nullptr ? outer->location().file : "<command>")
    {
    }

    std::optional<InputLine> readLine(std::string_view prompt) override
    {
        if (!m_queue.empty()) {
            Queued next = std::move(m_queue.front());
            m_queue.pop_front();
            if (!next.pause)
                return InputLine{std::move(next.line), outerLine()};
        }
        if (m_outer == nullptr || m_outer->peek(prompt) == nullptr)
            return std::nullopt;
        std::string text = m_outer->take(false);
        return InputLine{std::move(text), outerLine()};
    }
    bool interactive() const override { return false; }
    const std::string& name() const override { return m_name; }

private:
    int outerLine() const { return m_outer != nullptr ? m_outer->location().line : 0; }

    std::deque<Queued>& m_queue;
    CommandLine* m_outer;
    std::string m_name;
};

class DiscardingSink final : public TranscriptSink {
public:
    void put(std::string_view) override {}
};

int runQueued(std::deque<Queued>& queue)
{
    CommandLine* outer = CommandLine::current();
    const bool echo = systemVariables().integer(L"CMDECHO", 1) != 0;
    DiscardingSink discard;
    Transcript muted(discard);
    Transcript& transcript = echo ? (outer != nullptr ? outer->transcript() : currentTranscript()) : muted;
    QueuedSource source(queue, outer);
    CommandLine nested(source, transcript, stderr);
    while (!queue.empty()) {
        Queued item = std::move(queue.front());
        queue.pop_front();
        if (item.pause || item.line.empty())
            continue;  // Enter at the command prompt, between the commands of the list
        std::optional<CommandName> name = parseCommandName(wideFromUtf8(item.line));
        if (!name)
            return RTERROR;
        transcript.write(std::string_view("\nCommand: "));
        transcript.write(item.line);
        transcript.write(std::string_view("\n"));
        if (!runCommand(*name))
            return RTERROR;
    }
    return RTNORM;
}

}  // namespace

}  // namespace kelvora

using namespace kelvora;

int acedCmd(const resbuf* list)
{
    std::deque<Queued> queue;
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        if (!queueItem(*rb, queue))
            return RTERROR;
    }
    if (queue.empty())
        return RTNORM;
    return runQueued(queue);
}

int acedCommand(int type, ...)
{
    std::deque<Queued> queue;
    va_list args;
    va_start(args, type);
    bool ok = true;
    for (int t = type; t != 0 && t != RTNONE && ok; t = va_arg(args, int)) {
        resbuf rb{};
        rb.restype = static_cast<short>(t);
        switch (t) {
        case RTSTR:
            rb.resval.rstring = const_cast<ACHAR*>(va_arg(args, const ACHAR*));
            break;
        case RTREAL:
        case RTANG:
        case RTORINT:
            rb.resval.rreal = va_arg(args, double);
            break;
        case RTSHORT:
            rb.resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case RTLONG:
            rb.resval.rlong = static_cast<Adesk::Int32>(va_arg(args, int));
            break;
        case RTPOINT:
        case RT3DPOINT: {
            const ads_real* p = va_arg(args, const ads_real*);
            if (p == nullptr) {
                ok = false;
                break;
            }
            rb.resval.rpoint[X] = p[X];
            rb.resval.rpoint[Y] = p[Y];
            rb.resval.rpoint[Z] = t == RT3DPOINT ? p[Z] : 0.0;
            break;
        }
        case RTENAME:
        case RTPICKS: {
            const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
            if (name == nullptr) {
                ok = false;
                break;
            }
            rb.resval.rlname[0] = name[0];
            rb.resval.rlname[1] = name[1];
            break;
        }
        default:
            ok = false;
            break;
        }
        if (ok)
            ok = queueItem(rb, queue);
    }
    va_end(args);
    if (!ok)
        return RTERROR;
    if (queue.empty())
        return RTNORM;
    return runQueued(queue);
}

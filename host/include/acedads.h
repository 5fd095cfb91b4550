// The command line functions of the host: prompts, keywords, system variables, entity picks, selections.
#pragma once

#include <cstddef>

#include "acutads.h"
#include "adscodes.h"
#include "adsdef.h"

// ---- prompts
//
// Each prompt writes its prompt text to the transcript and reads one answer line (see the
// script language of the program). Results: RTNORM a value, RTNONE an empty answer (Enter),
// RTCAN cancelled (^C, or the script ended), RTKWORD a keyword of acedInitGet (read it with
// acedGetInput), RTERROR no command line or bad arguments. An answer of the wrong kind writes
// the host's reason ("\nRequires numeric value.") and asks again.

// Keywords and input flags (RSG_*) for the next prompt only. Keywords are separated by
// blanks; capitals mark the abbreviation ("eXit"), "_" starts the global names.
int acedInitGet(int flags, const ACHAR* keywords);

// A point: "x,y", "x,y,z", "@dx,dy", "@d<angle", "d<angle". `base` (may be null) is where a
// screen would draw the rubber band from. Every point read becomes LASTPOINT.
int acedGetPoint(const ads_point base, const ACHAR* prompt, ads_point result);
// The other corner of a rectangle from `base` (required).
int acedGetCorner(const ads_point base, const ACHAR* prompt, ads_point result);
// A distance: a number, or a point (its distance from `base`, or from a first point when
// `base` is null, asking "\nSpecify second point: "). RSG_2D measures in the XY plane.
int acedGetDist(const ads_point base, const ACHAR* prompt, ads_real* result);
// An angle in radians from a number of degrees (counter-clockwise from the X axis) or from
// two points, in [0, 2 pi). With ANGBASE 0 and ANGDIR 0, the host's only setting, the two agree.
int acedGetAngle(const ads_point base, const ACHAR* prompt, ads_real* result);
int acedGetOrient(const ads_point base, const ACHAR* prompt, ads_real* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
// An integer between -32768 and 32767, as the commercial host limits it.
int acedGetInt(const ACHAR* prompt, int* result);
// A text: the whole line when `cronly` is not 0, otherwise its first word. An empty line
// answers RTNORM with "". A text longer than the buffer is cut and answers RTINPUTTRUNCATED.
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufferSize);
// One of the acedInitGet keywords (its global name), or any text with RSG_OTHER.
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufferSize);
// The keyword (or, with RSG_OTHER, the text) behind the last RTKWORD.
int acedGetInput(ACHAR* result, size_t bufferSize);

template <size_t N>
inline int acedGetString(int cronly, const ACHAR* prompt, ACHAR (&result)[N])
{
    return acedGetString(cronly, prompt, result, N);
}
template <size_t N>
inline int acedGetKword(const ACHAR* prompt, ACHAR (&result)[N])
{
    return acedGetKword(prompt, result, N);
}
template <size_t N>
inline int acedGetInput(ACHAR (&result)[N])
{
    return acedGetInput(result, N);
}

// Writes a text to the transcript as it is (no formatting).
int acedPrompt(const ACHAR* text);
// A message box with the host's caption and an OK button.
int acedAlert(const ACHAR* text);
// Whether the user asked to stop a long operation; a script never does.
int acedUsrBrk();

// ---- system variables
//
// Integers come back as RTSHORT (RTLONG when they do not fit), reals as RTREAL, texts as
// RTSTR (the caller frees resval.rstring with acutDelString), points as RT3DPOINT.
int acedGetVar(const ACHAR* name, resbuf* result);
int acedSetVar(const ACHAR* name, const resbuf* value);

// ---- entity picks and selection sets
//
// A pick is answered with a point (the displayed entity nearest it within PICKBOX pixels),
// "#HANDLE", "#HANDLE@x,y" or "#L"; RTERROR for a pick of empty space (ERRNO 7) or Enter
// (ERRNO 52), RTKWORD for a keyword of acedInitGet. acedNEntSel and acedNEntSelP give the entity
// inside a block reference (containers: the reference) and the vertex of an old-style polyline.
// acedSSGet modes: null or "" asks "Select objects: " lines (selectors of the script language),
// ":S" one selector line, "X" every entity (model space then paper space), "A" all on thawed
// layers, "L" last, "P" previous, "I" pick-first, "W"/"C" a window or crossing from point1 to
// point2, "." (or null with point1) a pick at point1; a filter list narrows each (see
// host/editor/selection_filter.h). RTERROR when nothing is selected, RTCAN when cancelled.
int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint);
int acedNEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint, ads_point xform[4], resbuf** containers);
int acedNEntSelP(const ACHAR* prompt, ads_name entity, ads_point pickPoint, int pickFlag, ads_matrix xform,
                 resbuf** containers);
int acedSSGet(const ACHAR* mode, const void* point1, const void* point2, const resbuf* filter, ads_name selection);
int acedSSFree(const ads_name selection);
int acedSSLength(const ads_name selection, Adesk::Int32* length);
int acedSSName(const ads_name selection, Adesk::Int32 index, ads_name entity);
int acedSSAdd(const ads_name entity, const ads_name selection, ads_name result);
int acedSSDel(const ads_name entity, const ads_name selection);
int acedSSMemb(const ads_name entity, const ads_name selection);
int acedSSGetFirst(resbuf** gripSet, resbuf** pickSet);
int acedSSSetFirst(const ads_name pickSet, const ads_name gripSet);

// ---- commands and the display
//
// acedCmd and acedCommand run commands as the command prompt does: the first item names the
// command, the others answer its prompts ahead of the script (points, reals, strings, "" for
// Enter, "\\" to let the script answer, entity names and selection sets as picks); the answers a
// command leaves start the next command. CMDECHO 0 keeps their prompts out of the transcript.
// acedCommand's arguments are (type, value) pairs ended by 0 or RTNONE.
int acedCommand(int type, ...);
int acedCmd(const resbuf* list);
int acedRedraw(const ads_name entity, int mode);
// The world, user (1), display (2) and paper display (3) systems are one here: the host has no
// user system and looks straight down the world Z axis. An entity name gives its ECS, a 3D point
// the OCS of that normal.
int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int displacement, ads_point result);
// A temporary vector that a screen shows until its next redraw (the host draws no screen).
int acedGrDraw(const ads_point from, const ads_point to, int color, int highlight);

// The full path of the running application's library (see kelvora/applications.h).
const ACHAR* acedGetAppName();

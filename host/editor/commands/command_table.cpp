// The table of the host's drawing and editing commands, registered as host commands of group "ACAD".
#include "drawing_commands.h"
#include "kelvora/host_commands.h"

namespace kelvora::commands {

namespace {

constexpr DrawingCommand kCommands[] = {
    {L"LINE", &lineCommand},       {L"PLINE", &plineCommand},     {L"CIRCLE", &circleCommand},
    {L"ARC", &arcCommand},         {L"POINT", &pointCommand},     {L"TEXT", &textCommand},
    {L"SPLINE", &splineCommand},   {L"ELLIPSE", &ellipseCommand}, {L"LAYER", &layerCommand},
    {L"STYLE", &styleCommand},     {L"BLOCK", &blockCommand},     {L"INSERT", &insertCommand},
    {L"MOVE", &moveCommand},       {L"COPY", &copyCommand},       {L"ROTATE", &rotateCommand},
    {L"SCALE", &scaleCommand},     {L"STRETCH", &stretchCommand}, {L"EXPLODE", &explodeCommand},
};

}  // namespace

std::span<const DrawingCommand> drawingCommands()
{
    return kCommands;
}

}  // namespace kelvora::commands

KELVORA_HOST_COMMAND(LINE, kelvora::commands::lineCommand);
KELVORA_HOST_COMMAND(PLINE, kelvora::commands::plineCommand);
KELVORA_HOST_COMMAND(CIRCLE, kelvora::commands::circleCommand);
KELVORA_HOST_COMMAND(ARC, kelvora::commands::arcCommand);
KELVORA_HOST_COMMAND(POINT, kelvora::commands::pointCommand);
KELVORA_HOST_COMMAND(TEXT, kelvora::commands::textCommand);
KELVORA_HOST_COMMAND(SPLINE, kelvora::commands::splineCommand);
KELVORA_HOST_COMMAND(ELLIPSE, kelvora::commands::ellipseCommand);
KELVORA_HOST_COMMAND(LAYER, kelvora::commands::layerCommand);
KELVORA_HOST_COMMAND(STYLE, kelvora::commands::styleCommand);
KELVORA_HOST_COMMAND(BLOCK, kelvora::commands::blockCommand);
KELVORA_HOST_COMMAND(INSERT, kelvora::commands::insertCommand);
KELVORA_HOST_COMMAND(MOVE, kelvora::commands::moveCommand);
KELVORA_HOST_COMMAND(COPY, kelvora::commands::copyCommand);
KELVORA_HOST_COMMAND(ROTATE, kelvora::commands::rotateCommand);
KELVORA_HOST_COMMAND(SCALE, kelvora::commands::scaleCommand);
KELVORA_HOST_COMMAND(STRETCH, kelvora::commands::stretchCommand);
KELVORA_HOST_COMMAND(EXPLODE, kelvora::commands::explodeCommand);

// Result codes of the command-line functions, value type codes of result buffers, and acedInitGet flags.
#pragma once

// Result codes.
constexpr int RTNORM = 5100;            // the normal answer
constexpr int RTNONE = 5000;            // Enter: no value
constexpr int RTERROR = -5001;
constexpr int RTCAN = -5002;            // cancelled
constexpr int RTREJ = -5003;
constexpr int RTFAIL = -5004;
constexpr int RTKWORD = -5005;          // a keyword: read it with acedGetInput
constexpr int RTINPUTTRUNCATED = -5008;

// Value types of result buffers.
constexpr int RTREAL = 5001;
constexpr int RTPOINT = 5002;
constexpr int RTSHORT = 5003;
constexpr int RTANG = 5004;
constexpr int RTSTR = 5005;
constexpr int RTENAME = 5006;
constexpr int RTPICKS = 5007;
constexpr int RTORINT = 5008;
constexpr int RT3DPOINT = 5009;
constexpr int RTLONG = 5010;
constexpr int RTVOID = 5014;
constexpr int RTLB = 5016;
constexpr int RTLE = 5017;
constexpr int RTDOTE = 5018;
constexpr int RTNIL = 5019;
constexpr int RTDXF0 = 5020;            // group code 0 (entity type) in a selection filter
constexpr int RTT = 5021;
constexpr int RTRESBUF = 5023;
constexpr int RTLONG_PTR = 5030;
constexpr int RTINT64 = 5031;

// acedInitGet flags.
constexpr int RSG_NONULL = 0x0001;
constexpr int RSG_NOZERO = 0x0002;
constexpr int RSG_NONEG = 0x0004;
constexpr int RSG_NOLIM = 0x0008;
constexpr int RSG_GETZ = 0x0010;
constexpr int RSG_DASH = 0x0020;
constexpr int RSG_2D = 0x0040;
constexpr int RSG_OTHER = 0x0080;       // arbitrary input accepted as a keyword
constexpr int RSG_DDISTFIRST = 0x0100;
constexpr int RSG_TRACKUCS = 0x0200;
constexpr int RSG_NOORTHOZ = 0x0400;
constexpr int RSG_NOOSNAP = 0x0800;
constexpr int RSG_NODDIST = 0x1000;

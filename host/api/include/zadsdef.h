// Result codes, result-buffer type codes and the result buffer of the host's C interface.
#pragma once

#include "zcbase.h"

// Result codes of prompts, selections and C-interface calls.
#define RTNONE 5000    // no result (Enter on an empty prompt)
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027
#define RTNORM 5100    // normal result
#define RTERROR (-5001)
#define RTCAN (-5002)   // cancelled (Escape)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005) // a keyword was given
#define RTINPUTTRUNCATED (-5008)

typedef double zds_real;
typedef zds_real zds_point[3];
typedef Zdesk::LongPtr zds_name[2];
typedef zds_real zds_matrix[4][4];

enum { X = 0, Y = 1, Z = 2 };

union zc_resval {
    zds_real rreal;
    zds_real rpoint[3];
    short rint;
    ZTCHAR* rstring;
    Zdesk::LongPtr rlname[2];
    Zdesk::Int32 rlong;
    Zdesk::Int64 mnInt64;
    struct zc_binary {
        short clen;
        char* buf;
    } rbinary;
    unsigned char ihandle[8];
};

/// One element of a result-buffer list.
struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union zc_resval resval;
};

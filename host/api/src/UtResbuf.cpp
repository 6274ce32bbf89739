// Result buffers: allocation, lists, host-allocated strings.
#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "host/Resbuf.h"
#include "zcutads.h"

namespace host {

ResbufKind resbufKind(int t) {
    switch (t) {
    case RTSTR:
        return ResbufKind::String;
    case RTREAL:
    case RTANG:
    case RTORINT:
        return ResbufKind::Real;
    case RTPOINT:
    case RT3DPOINT:
        return ResbufKind::Point;
    case RTSHORT:
        return ResbufKind::Short;
    case RTLONG:
        return ResbufKind::Long;
    case RTENAME:
    case RTPICKS:
        return ResbufKind::Name;
    case RTNONE:
    case RTVOID:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case -3:
        return ResbufKind::None;
    case -4:
    case RTDXF0:
        return ResbufKind::String;
    case -1:
    case -2:
        return ResbufKind::Name;
    default:
        break;
    }
    if ((t >= 0 && t <= 9) || (t >= 100 && t <= 105) || (t >= 300 && t <= 309) ||
        (t >= 320 && t <= 329) || (t >= 410 && t <= 419) || (t >= 430 && t <= 439) ||
        (t >= 470 && t <= 479) || t == 999 || (t >= 1000 && t <= 1003) || t == 1005)
        return ResbufKind::String;
    if ((t >= 10 && t <= 39) || (t >= 210 && t <= 239) || (t >= 1010 && t <= 1039))
        return ResbufKind::Point;
    if ((t >= 40 && t <= 59) || (t >= 110 && t <= 149) || (t >= 460 && t <= 469) ||
        (t >= 1040 && t <= 1042))
        return ResbufKind::Real;
    if ((t >= 60 && t <= 79) || (t >= 170 && t <= 179) || (t >= 270 && t <= 299) ||
        (t >= 370 && t <= 389) || (t >= 400 && t <= 409) || (t >= 1060 && t <= 1070))
        return ResbufKind::Short;
    if ((t >= 90 && t <= 99) || (t >= 420 && t <= 429) || (t >= 440 && t <= 459) || t == 1071)
        return ResbufKind::Long;
    if (t >= 160 && t <= 169)
        return ResbufKind::Int64;
    if (t >= 330 && t <= 369)
        return ResbufKind::Name;
    if ((t >= 310 && t <= 319) || t == 1004)
        return ResbufKind::Binary;
    return ResbufKind::None;
}

resbuf* copyResbuf(const resbuf* rb) {
    if (!rb)
        return nullptr;
    resbuf* copy = zcutNewRb(rb->restype == 0 ? RTNONE : rb->restype);
    copy->restype = rb->restype;
    copy->resval = rb->resval;
    switch (resbufKind(rb->restype)) {
    case ResbufKind::String:
        copy->resval.rstring = zcutNewBuffer(rb->resval.rstring);
        break;
    case ResbufKind::Binary:
        copy->resval.rbinary.buf = nullptr;
        if (rb->resval.rbinary.buf && rb->resval.rbinary.clen > 0) {
            copy->resval.rbinary.buf = new char[rb->resval.rbinary.clen];
            std::memcpy(copy->resval.rbinary.buf, rb->resval.rbinary.buf,
                        rb->resval.rbinary.clen);
        }
        break;
    default:
        break;
    }
    return copy;
}

}  // namespace host

resbuf* zcutNewRb(int type) {
    if (type == 0)
        return nullptr;
    auto* rb = new resbuf;
    std::memset(rb, 0, sizeof(resbuf));
    rb->restype = static_cast<short>(type);
    return rb;
}

int zcutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        switch (host::resbufKind(rb->restype)) {
        case host::ResbufKind::String:
            delete[] rb->resval.rstring;
            break;
        case host::ResbufKind::Binary:
            delete[] rb->resval.rbinary.buf;
            break;
        default:
            break;
        }
        delete rb;
        rb = next;
    }
    return RTNORM;
}

resbuf* zcutBuildList(int rtype, ...) {
    va_list args;
    va_start(args, rtype);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    bool failed = false;
    for (int type = rtype; type != 0; type = va_arg(args, int)) {
        resbuf* rb = zcutNewRb(type);
        switch (host::resbufKind(type)) {
        case host::ResbufKind::String:
            rb->resval.rstring = zcutNewBuffer(va_arg(args, const ZTCHAR*));
            break;
        case host::ResbufKind::Real:
            rb->resval.rreal = va_arg(args, double);
            break;
        case host::ResbufKind::Point: {
            const double* p = va_arg(args, const double*);
            if (p) {
                rb->resval.rpoint[X] = p[X];
                rb->resval.rpoint[Y] = p[Y];
                rb->resval.rpoint[Z] = p[Z];
            }
            break;
        }
        case host::ResbufKind::Short:
            rb->resval.rint = static_cast<short>(va_arg(args, int));
            break;
        case host::ResbufKind::Long:
            rb->resval.rlong = va_arg(args, Zdesk::Int32);
            break;
        case host::ResbufKind::Int64:
            rb->resval.mnInt64 = va_arg(args, Zdesk::Int64);
            break;
        case host::ResbufKind::Name: {
            const Zdesk::LongPtr* name = va_arg(args, const Zdesk::LongPtr*);
            if (name) {
                rb->resval.rlname[0] = name[0];
                rb->resval.rlname[1] = name[1];
            }
            break;
        }
        case host::ResbufKind::None:
            if (type != RTLB && type != RTLE && type != RTDOTE && type != RTNIL &&
                type != RTT && type != RTNONE && type != RTVOID && type != -3)
                failed = true;
            break;
        case host::ResbufKind::Binary:
            failed = true;  // binary chunks need a length: not supported here
            break;
        }
        if (tail)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
        if (failed)
            break;
    }
    va_end(args);
    if (failed) {
        zcutRelRb(head);
        return nullptr;
    }
    return head;
}

ZTCHAR* zcutNewBuffer(const ZTCHAR* src) {
    if (!src)
        return nullptr;
    const size_t length = std::wcslen(src);
    auto* copy = new ZTCHAR[length + 1];
    std::wmemcpy(copy, src, length + 1);
    return copy;
}

Zcad::ErrorStatus zcutNewString(const ZTCHAR* src, ZTCHAR*& dest) {
    dest = zcutNewBuffer(src);
    return src ? Zcad::eOk : Zcad::eNullPtr;
}

void zcutDelBuffer(ZTCHAR** buffer) {
    if (!buffer)
        return;
    delete[] *buffer;
    *buffer = nullptr;
}

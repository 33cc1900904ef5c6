/* The NDR data of one pickled object, as the NDR engine marshalled it. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

struct NdrPickle {
    unsigned char* data; /* allocated with malloc */
    unsigned long size;
};

#ifdef __cplusplus
}
#endif

/* widl's type-pickling stubs (TYPE_Encode, TYPE_AlignSize) hand the object
 * and its type format string to NdrMesTypeEncode2 and NdrMesTypeAlignSize2,
 * which Wine 8 leaves unimplemented (a FIXME, an unimplemented export). These
 * stand-ins do the part of those entry points that precedes the NDR data:
 * they size and allocate the buffer and call the NDR engine's own
 * marshalling routine for the type, which decides every byte of the data.
 * The type-serialisation header is left to the caller: the handle is an
 * NdrPickle that receives the data. */
#define NdrMesTypeAlignSize2 PickleAlignSize
#define NdrMesTypeEncode2 PickleEncode
#include "wfp_c.c"

#include <ndrtypes.h>
#include <stdio.h>
#include <stdlib.h>

#include "ndr_driver.h"

static void InitMessage(MIDL_STUB_MESSAGE* message, RPC_MESSAGE* rpc, const MIDL_STUB_DESC* stubDesc) {
    memset(message, 0, sizeof *message);
    memset(rpc, 0, sizeof *rpc);
    message->RpcMsg = rpc;
    message->StubDesc = stubDesc;
    message->pfnAllocate = stubDesc->pfnAllocate;
    message->pfnFree = stubDesc->pfnFree;
    message->IsClient = 1;
}

static void CheckComplexStructure(PFORMAT_STRING format) {
    /* The pickled types are structures holding pointers. */
    if (*format != FC_BOGUS_STRUCT) {
        fprintf(stderr, "unexpected type format 0x%02x\n", *format);
        exit(1);
    }
}

SIZE_T PickleAlignSize(handle_t handle, const MIDL_TYPE_PICKLING_INFO* info, const MIDL_STUB_DESC* stubDesc,
                       PFORMAT_STRING format, const void* object) {
    MIDL_STUB_MESSAGE message;
    RPC_MESSAGE rpc;
    (void)handle;
    (void)info;
    CheckComplexStructure(format);
    InitMessage(&message, &rpc, stubDesc);
    NdrComplexStructBufferSize(&message, (unsigned char*)object, format);
    return message.BufferLength;
}

void PickleEncode(handle_t handle, const MIDL_TYPE_PICKLING_INFO* info, const MIDL_STUB_DESC* stubDesc,
                  PFORMAT_STRING format, const void* object) {
    struct NdrPickle* pickle = (struct NdrPickle*)handle;
    MIDL_STUB_MESSAGE message;
    RPC_MESSAGE rpc;
    const SIZE_T size = PickleAlignSize(handle, info, stubDesc, format, object);
    /* Alignment counts from the buffer's start: the heap gives 16-aligned memory. */
    unsigned char* buffer = calloc(1, size);
    if (!buffer) exit(1);
    InitMessage(&message, &rpc, stubDesc);
    rpc.Buffer = buffer;
    rpc.BufferLength = (unsigned int)size;
    message.Buffer = message.BufferStart = buffer;
    message.BufferEnd = buffer + size;
    message.BufferLength = (unsigned long)size;
    NdrComplexStructMarshall(&message, (unsigned char*)object, format);
    pickle->data = buffer;
    pickle->size = (unsigned long)(message.Buffer - buffer);
}

// Vertex and index buffers held in system memory, shared by the device and the mesh library.
// Implements: Lock/Unlock over a byte array (offset and size checked, size 0 = to the end),
// GetDesc, reference counting, and a count of write locks so owners can tell when the contents
// may have changed. Leaves out: hardware buffers, lock flags other than read-only, usage checks.
#pragma once

#include "platform/d3d9/d3d9.h"

// Null *buffer and D3DERR_INVALIDCALL for a zero length, an unknown index format or a null
// output pointer.
HRESULT CreateSystemMemoryVertexBuffer(UINT length, DWORD fvf, IDirect3DVertexBuffer9** buffer);
HRESULT CreateSystemMemoryIndexBuffer(UINT length, D3DFORMAT format, IDirect3DIndexBuffer9** buffer);

// Number of Lock calls without D3DLOCK_READONLY on an index buffer since its creation; 0 for
// buffers made elsewhere.
DWORD SystemMemoryBufferWriteCount(IDirect3DIndexBuffer9* buffer);

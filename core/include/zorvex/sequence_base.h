// SequenceBase: the base of the loan sequences through which a data reader
// lends samples and their sample information.
//
// A loan sequence owns one heap cell per element; `cells[i]` is the address of
// element i (a void* cell holding the address of a lent sample value in the
// data loan, a ZORVEX::SampleInfo in the information loan). The reader grows
// a sequence with length(n) and then writes into cells 0..n-1; return_loan
// reads the data loan's cells back. The sequence keeps these fields in step:
//   owned_count     cells created so far (entries below it are owned)
//   current_length  elements in use, never above owned_count
//   cell_buffer     cells.data() as of the last growth
//   cells           one entry per owned cell
#ifndef ZORVEX_SEQUENCE_BASE_H
#define ZORVEX_SEQUENCE_BASE_H

#include <cstdint>
#include <vector>

#include "zorvex/export.h"

class QUILLMAR_API SequenceBase {
public:
    virtual int length() const = 0;
    // false for a negative count; otherwise makes n elements usable.
    virtual bool length(int n) = 0;
    // Releases every cell and the cell array.
    virtual void unloan() = 0;
    virtual ~SequenceBase();

    int32_t owned_count = 0;
    int32_t current_length = 0;
    void** cell_buffer = nullptr;
    std::vector<void*> cells;

protected:
    SequenceBase() = default;
    SequenceBase(const SequenceBase&) = delete;
    SequenceBase& operator=(const SequenceBase&) = delete;
};

#endif

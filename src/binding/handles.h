// Handles between C and the core: entity handles are core addresses, instance
// handles are converted by three rules, times are copied bit for bit.
#ifndef QUILLMARC_SRC_BINDING_HANDLES_H
#define QUILLMARC_SRC_BINDING_HANDLES_H

#include <cstring>

#include "quillmarc/dds_infrastructure.h"
#include "zorvex/zorvex.h"

namespace quillmarc {

// Each C handle type names one core class, in both directions.
template <class Handle> struct CoreOf;
template <class Core> struct HandleOf;

#define QUILLMARC_HANDLE_PAIR(Handle, Core)              \
  template <> struct CoreOf<Handle> { using type = Core; }; \
  template <> struct HandleOf<Core> { using type = Handle; };
QUILLMARC_HANDLE_PAIR(DDS_DomainParticipantFactory, ZORVEX::DomainParticipantFactory)
QUILLMARC_HANDLE_PAIR(DDS_DomainParticipant, ZORVEX::DomainParticipant)
QUILLMARC_HANDLE_PAIR(DDS_Publisher, ZORVEX::Publisher)
QUILLMARC_HANDLE_PAIR(DDS_Subscriber, ZORVEX::Subscriber)
QUILLMARC_HANDLE_PAIR(DDS_Topic, ZORVEX::Topic)
QUILLMARC_HANDLE_PAIR(DDS_TopicDescription, ZORVEX::TopicDescription)
QUILLMARC_HANDLE_PAIR(DDS_ContentFilteredTopic, ZORVEX::ContentFilteredTopic)
QUILLMARC_HANDLE_PAIR(DDS_DataWriter, ZORVEX::DataWriter)
QUILLMARC_HANDLE_PAIR(DDS_DataReader, ZORVEX::DataReader)
QUILLMARC_HANDLE_PAIR(DDS_Entity, ZORVEX::Entity)
QUILLMARC_HANDLE_PAIR(DDS_Condition, ZORVEX::Condition)
QUILLMARC_HANDLE_PAIR(DDS_StatusCondition, ZORVEX::StatusCondition)
QUILLMARC_HANDLE_PAIR(DDS_GuardCondition, ZORVEX::GuardCondition)
QUILLMARC_HANDLE_PAIR(DDS_ReadCondition, ZORVEX::ReadCondition)
QUILLMARC_HANDLE_PAIR(DDS_WaitSet, ZORVEX::WaitSet)
#undef QUILLMARC_HANDLE_PAIR

// The core object a handle stands for: the same address, never tested.
template <class Handle>
typename CoreOf<Handle>::type* core(Handle* handle) {
  return reinterpret_cast<typename CoreOf<Handle>::type*>(handle);
}

// The handle of a core object, null for null.
template <class Core>
typename HandleOf<Core>::type* handle(Core* object) {
  return reinterpret_cast<typename HandleOf<Core>::type*>(object);
}

// C to core, in place: `valid` sign-extended, value bytes only when valid.
// The core handle's length is left as it is.
inline void to_core(const DDS_InstanceHandle_t& from, ZORVEX::InstanceHandle_t& to) {
  to.valid = static_cast<signed char>(from.valid);
  if (from.valid != 0) std::memcpy(to.value, from.value, sizeof to.value);
}

// C to core, a new handle: 16 zero value bytes and length 16 to start from.
inline ZORVEX::InstanceHandle_t to_core(const DDS_InstanceHandle_t& from) {
  ZORVEX::InstanceHandle_t to;
  to_core(from, to);
  return to;
}

// Core to C, in place: `valid` is the low byte of the core's; the value bytes
// are written only for a valid handle, so an invalid one keeps what it held.
inline void to_c(const ZORVEX::InstanceHandle_t& from, DDS_InstanceHandle_t& to) {
  to.valid = static_cast<DDS_Boolean>(from.valid & 0xff);
  if (from.valid != 0) std::memcpy(to.value, from.value, sizeof to.value);
}

// Core to C, a new record: the value bytes of an invalid handle are zero.
inline DDS_InstanceHandle_t to_c(const ZORVEX::InstanceHandle_t& from) {
  DDS_InstanceHandle_t to{};
  to_c(from, to);
  return to;
}

// The library's nil core handle, a copy of the core's made at load.
inline const ZORVEX::InstanceHandle_t nil_core_handle = ZORVEX::HANDLE_NIL;

// Times and durations: the same 8 bytes on both sides.
inline ZORVEX::Duration_t to_core(const DDS_Duration_t& from) { return {from.sec, from.nanosec}; }
inline ZORVEX::Time_t to_core(const DDS_Time_t& from) { return {from.sec, from.nanosec}; }
inline void to_c(const ZORVEX::Duration_t& from, DDS_Duration_t& to) { to = {from.sec, from.nanosec}; }
inline void to_c(const ZORVEX::Time_t& from, DDS_Time_t& to) { to = {from.sec, from.nanosec}; }

namespace {

// An instance-handle argument given by pointer, as the core receives it:
//   NULL             a handle built here, not valid;
//   &DDS_HANDLE_NIL  the library's nil core handle itself;
//   anything else    the C-to-core rule on the record it points to.
// Use it as a temporary in the core call:
//   return core(writer)->write(data, HandleArgument(handle));
// (DDS_HANDLE_NIL has one copy per translation unit: this one's is meant.)
class HandleArgument {
 public:
  explicit HandleArgument(const DDS_InstanceHandle_t* handle)
      : passed_(handle == &DDS_HANDLE_NIL ? &nil_core_handle : &built_) {
    if (handle != nullptr && handle != &DDS_HANDLE_NIL) to_core(*handle, built_);
  }
  HandleArgument(const HandleArgument&) = delete;
  HandleArgument& operator=(const HandleArgument&) = delete;
  operator const ZORVEX::InstanceHandle_t&() const { return *passed_; }

 private:
  ZORVEX::InstanceHandle_t built_;
  const ZORVEX::InstanceHandle_t* passed_;
};

}  // namespace

}  // namespace quillmarc

#endif

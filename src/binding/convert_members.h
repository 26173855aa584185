// The member rules of the record conversions, one convert() overload per
// member type and direction, and the policies built from them. All of these
// stay inside the library; the records built from them are exported
// (dds_type_convert.h).
#ifndef QUILLMARC_SRC_BINDING_CONVERT_MEMBERS_H
#define QUILLMARC_SRC_BINDING_CONVERT_MEMBERS_H

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "binding/dds_type_convert.h"
#include "binding/handles.h"

// Converts member `m` of `from` into member `m` of `to`, in either direction.
#define QUILLMARC_M(m) convert(from.m, to.m);

// Both overloads of one record pair from one member list:
//   QUILLMARC_BOTH_WAYS(inline, DDS_X, ZORVEX::X, QUILLMARC_M(a) QUILLMARC_M(b))
#define QUILLMARC_BOTH_WAYS(Spec, CType, CoreType, statements)   \
  Spec void convert(CType const& from, CoreType& to) { statements } \
  Spec void convert(CoreType const& from, CType& to) { statements }

namespace DDSTypeConvert {

// The kind table: C values 0..count-1 stand for core values first..first+count-1.
template <class CoreKind> struct KindRange { static constexpr bool known = false; };
#define QUILLMARC_KIND_RANGE(CoreKind, Count, First)                  \
  template <> struct KindRange<ZORVEX::CoreKind> {                   \
    static constexpr bool known = true;                              \
    static constexpr uint32_t count = Count, first = First;          \
  };
QUILLMARC_KIND_RANGE(DurabilityQosPolicyKind, 4, 0)
QUILLMARC_KIND_RANGE(HistoryQosPolicyKind, 2, 0)
QUILLMARC_KIND_RANGE(LivelinessQosPolicyKind, 3, 0)
QUILLMARC_KIND_RANGE(ReliabilityQosPolicyKind, 2, 1)
QUILLMARC_KIND_RANGE(DestinationOrderQosPolicyKind, 2, 0)
QUILLMARC_KIND_RANGE(OwnershipQosPolicyKind, 2, 0)
QUILLMARC_KIND_RANGE(PresentationQosPolicyAccessScopeKind, 3, 0)
#undef QUILLMARC_KIND_RANGE

// C kind to core kind, comparing all 32 bits; outside the table: unchanged.
template <class CKind, class CoreKind, std::enable_if_t<KindRange<CoreKind>::known, int> = 0>
void convert(const CKind& from, CoreKind& to) {
  const uint32_t value = static_cast<uint32_t>(from);
  if (value < KindRange<CoreKind>::count)
    to = static_cast<CoreKind>(value + KindRange<CoreKind>::first);
}

// Core kind to C kind, comparing the 8-bit value; outside the table: unchanged.
template <class CoreKind, class CKind, std::enable_if_t<KindRange<CoreKind>::known, int> = 0>
void convert(const CoreKind& from, CKind& to) {
  const uint32_t value = static_cast<uint8_t>(from);
  if (value - KindRange<CoreKind>::first < KindRange<CoreKind>::count)
    to = static_cast<CKind>(value - KindRange<CoreKind>::first);
}

// 32-bit counts, limits, depths and identifiers (the same type on both sides).
inline void convert(const int32_t& from, int32_t& to) { to = from; }

inline void convert(const DDS_Duration_t& from, ZORVEX::Duration_t& to) { to = quillmarc::to_core(from); }
inline void convert(const ZORVEX::Duration_t& from, DDS_Duration_t& to) { quillmarc::to_c(from, to); }
inline void convert(const DDS_Time_t& from, ZORVEX::Time_t& to) { to = quillmarc::to_core(from); }
inline void convert(const ZORVEX::Time_t& from, DDS_Time_t& to) { quillmarc::to_c(from, to); }

// Booleans: normalised on the way in, the core's byte as it is on the way out.
inline void convert(const DDS_Boolean& from, bool& to) { to = from != 0; }
inline void convert(const bool& from, DDS_Boolean& to) {
  static_assert(sizeof(bool) == sizeof(DDS_Boolean), "one byte each");
  std::memcpy(&to, &from, 1);
}

// Sample, view and instance states: 32-bit in C, 16-bit in the core.
inline void convert(const DDS_ULong& from, uint16_t& to) { to = static_cast<uint16_t>(from); }
inline void convert(const uint16_t& from, DDS_ULong& to) { to = from; }

inline void convert(const DDS_InstanceHandle_t& from, ZORVEX::InstanceHandle_t& to) { quillmarc::to_core(from, to); }
inline void convert(const ZORVEX::InstanceHandle_t& from, DDS_InstanceHandle_t& to) { quillmarc::to_c(from, to); }

// A rejection reason is a code, not a kind: copied as it is.
inline void convert(const DDS_SampleRejectedStatusKind& from, ZORVEX::SampleRejectedStatusKind& to) {
  to = static_cast<ZORVEX::SampleRejectedStatusKind>(from);
}
inline void convert(const ZORVEX::SampleRejectedStatusKind& from, DDS_SampleRejectedStatusKind& to) {
  to = static_cast<DDS_SampleRejectedStatusKind>(from);
}

inline void convert(const DDS_BuiltinTopicKey_t& from, ZORVEX::BuiltinTopicKey_t& to) {
  std::memcpy(to.value, from.value, sizeof to.value);
}
inline void convert(const ZORVEX::BuiltinTopicKey_t& from, DDS_BuiltinTopicKey_t& to) {
  std::memcpy(to.value, from.value, sizeof to.value);
}

// Names: the C string's existing inner string receives the core's text.
inline void convert(const DDS_CString& from, std::string& to) { to = static_cast<std::string&>(from); }
inline void convert(const std::string& from, DDS_CString& to) { to = from; }

#define QUILLMARC_POLICY(P, statements) \
  QUILLMARC_BOTH_WAYS(inline, DDS_##P##QosPolicy, ZORVEX::P##QosPolicy, statements)
QUILLMARC_POLICY(UserData, QUILLMARC_M(value))
QUILLMARC_POLICY(TopicData, QUILLMARC_M(value))
QUILLMARC_POLICY(GroupData, QUILLMARC_M(value))
QUILLMARC_POLICY(EntityFactory, QUILLMARC_M(autoenable_created_entities))
QUILLMARC_POLICY(Presentation, QUILLMARC_M(access_scope) QUILLMARC_M(coherent_access) QUILLMARC_M(ordered_access))
QUILLMARC_POLICY(Partition, QUILLMARC_M(name))
QUILLMARC_POLICY(Durability, QUILLMARC_M(kind))
QUILLMARC_POLICY(DurabilityService,
                 QUILLMARC_M(service_cleanup_delay) QUILLMARC_M(history_kind) QUILLMARC_M(history_depth)
                 QUILLMARC_M(max_samples) QUILLMARC_M(max_instances) QUILLMARC_M(max_samples_per_instance))
QUILLMARC_POLICY(Deadline, QUILLMARC_M(period))
QUILLMARC_POLICY(LatencyBudget, QUILLMARC_M(duration))
QUILLMARC_POLICY(Liveliness, QUILLMARC_M(kind) QUILLMARC_M(lease_duration))
QUILLMARC_POLICY(Reliability, QUILLMARC_M(kind) QUILLMARC_M(max_blocking_time))
QUILLMARC_POLICY(DestinationOrder, QUILLMARC_M(kind))
QUILLMARC_POLICY(History, QUILLMARC_M(kind) QUILLMARC_M(depth))
QUILLMARC_POLICY(ResourceLimits,
                 QUILLMARC_M(max_samples) QUILLMARC_M(max_instances) QUILLMARC_M(max_samples_per_instance))
QUILLMARC_POLICY(TransportPriority, QUILLMARC_M(value))
QUILLMARC_POLICY(Lifespan, QUILLMARC_M(duration))
QUILLMARC_POLICY(Ownership, QUILLMARC_M(kind))
QUILLMARC_POLICY(OwnershipStrength, QUILLMARC_M(value))
QUILLMARC_POLICY(WriterDataLifecycle, QUILLMARC_M(autodispose_unregistered_instances))
QUILLMARC_POLICY(ReaderDataLifecycle,
                 QUILLMARC_M(autopurge_nowriter_samples_delay) QUILLMARC_M(autopurge_disposed_samples_delay))
QUILLMARC_POLICY(TimeBasedFilter, QUILLMARC_M(minimum_separation))
#undef QUILLMARC_POLICY

}  // namespace DDSTypeConvert

#endif

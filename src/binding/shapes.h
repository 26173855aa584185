// The shapes of the entity functions, so that each one is a line or two:
// build the core's arguments, make one core call, convert the results back,
// return the core's answer. Every local ends with the call, exceptions
// included; only listener bridges outlive it, and those belong to the core.
#ifndef QUILLMARC_SRC_BINDING_SHAPES_H
#define QUILLMARC_SRC_BINDING_SHAPES_H

#include <memory>
#include <string>
#include <vector>

#include "binding/dds_type_convert.h"
#include "binding/handles.h"
#include "binding/listener_bridges.h"
#include "quillmarc/dds_qos.h"
#include "value_types/text.h"

namespace quillmarc {

// Text argument: a C name as the core's string; null raises std::logic_error
// ("basic_string::_M_construct null not valid").
inline std::string text(const char* name) { return string_from_text(name); }

// For each C QoS record of a creator: its core record, the exported variable
// that selects the core's default, and that default.
template <class CQos> struct QosDefault;
#define QUILLMARC_QOS_DEFAULT(CQos, Core, variable, core_default)            \
  template <> struct QosDefault<CQos> {                                      \
    using core_type = ZORVEX::Core;                                          \
    static const CQos* sentinel() { return variable; }                       \
    static const core_type& core() { return ZORVEX::core_default; }          \
  };
QUILLMARC_QOS_DEFAULT(DDS_DomainParticipantQos, DomainParticipantQos, DDS_DOMAINPARTICIPANT_QOS_DEFAULT,
                      PARTICIPANT_QOS_DEFAULT)
QUILLMARC_QOS_DEFAULT(DDS_PublisherQos, PublisherQos, DDS_PUBLISHER_QOS_DEFAULT, PUBLISHER_QOS_DEFAULT)
QUILLMARC_QOS_DEFAULT(DDS_SubscriberQos, SubscriberQos, DDS_SUBSCRIBER_QOS_DEFAULT, SUBSCRIBER_QOS_DEFAULT)
QUILLMARC_QOS_DEFAULT(DDS_TopicQos, TopicQos, DDS_TOPIC_QOS_DEFAULT, TOPIC_QOS_DEFAULT)
QUILLMARC_QOS_DEFAULT(DDS_DataWriterQos, DataWriterQos, DDS_DATAWRITER_QOS_DEFAULT, DATAWRITER_QOS_DEFAULT)
QUILLMARC_QOS_DEFAULT(DDS_DataReaderQos, DataReaderQos, DDS_DATAREADER_QOS_DEFAULT, DATAREADER_QOS_DEFAULT)
#undef QUILLMARC_QOS_DEFAULT

// A new bridge for a listener record (null included), owned here until
// handed to the core with release().
template <class Bridge>
std::unique_ptr<Bridge> make_bridge(const typename Bridge::record_type* listener) {
  return std::unique_ptr<Bridge>(new Bridge(listener));
}

// The arguments of a creator that takes a QoS record, built in their order:
// the mask, the core QoS (the core's default when `qos` equals the variable
// DDS_<X>_QOS_DEFAULT as it is now, else `qos` converted), then the bridge.
//   Creation<DDS_PublisherQos, PublisherListenerImpl> c(qos, listener, mask);
//   return handle(core(p)->create_publisher(c.qos(), c.bridge(), c.mask));
// bridge() hands the bridge over: call it last among the arguments, once
// every text has been built, so that a failure before the call frees it.
template <class CQos, class Bridge>
class Creation {
 public:
  using core_qos = typename QosDefault<CQos>::core_type;

  Creation(const CQos* qos, const typename Bridge::record_type* listener, DDS_StatusMask status_mask)
      : mask(status_mask), passed_(&local_) {
    if (qos == QosDefault<CQos>::sentinel())
      passed_ = &QosDefault<CQos>::core();
    else
      DDSTypeConvert::convert(*qos, local_);
    bridge_ = make_bridge<Bridge>(listener);
  }
  Creation(const Creation&) = delete;
  Creation& operator=(const Creation&) = delete;

  const core_qos& qos() const { return *passed_; }
  Bridge* bridge() { return bridge_.release(); }

  ZORVEX::StatusMask mask;

 private:
  core_qos local_;
  const core_qos* passed_;
  std::unique_ptr<Bridge> bridge_;
};

// Deleter: the core may null its reference; the caller's variable stays.
//   return delete_child(core(p), &ZORVEX::DomainParticipant::delete_publisher, publisher);
template <class Object, class Owner, class Child, class Handle>
ZORVEX::ReturnCode_t delete_child(Object* parent, ZORVEX::ReturnCode_t (Owner::*op)(Child*&), Handle* child) {
  Child* local = core(child);
  return (parent->*op)(local);
}

// QoS setter: the C record (always read: no sentinel here) converted into a
// core record for the call.
//   return set_record(core(p), &ZORVEX::Publisher::set_qos, qos);
template <class Object, class Owner, class Core, class CRecord>
ZORVEX::ReturnCode_t set_record(Object* object, ZORVEX::ReturnCode_t (Owner::*op)(const Core&),
                                const CRecord* record) {
  Core local;
  DDSTypeConvert::convert(*record, local);
  return (object->*op)(local);
}

// QoS, status and profile getters: the core fills a default-constructed
// record, which the caller's record receives whatever the code. Further
// arguments follow the record to the core unchanged.
//   return get_record(core(r), &ZORVEX::DataReader::get_sample_lost_status, status);
//   return get_record(core(f), &ZORVEX::DomainParticipantFactory::get_topic_qos_from_profile,
//                     qos, library, profile, name);
template <class Object, class Owner, class Core, class... Params, class CRecord, class... Args>
ZORVEX::ReturnCode_t get_record(Object* object, ZORVEX::ReturnCode_t (Owner::*op)(Core&, Params...),
                                CRecord* record, Args&&... args) {
  Core local;
  const ZORVEX::ReturnCode_t rc = (object->*op)(local, std::forward<Args>(args)...);
  DDSTypeConvert::convert(static_cast<const Core&>(local), *record);
  return rc;
}

// Listener setter: a new bridge on every call, which the core keeps.
//   return set_listener<DataReaderListenerImpl>(core(r), listener, mask);
template <class Bridge, class Object>
ZORVEX::ReturnCode_t set_listener(Object* object, const typename Bridge::record_type* listener,
                                  DDS_StatusMask mask) {
  std::unique_ptr<Bridge> bridge = make_bridge<Bridge>(listener);
  const ZORVEX::StatusMask local_mask = mask;
  return object->set_listener(bridge.release(), local_mask);
}

// Listener getter: the record of the entity's bridge; null when the entity
// has no listener or one that is not a bridge of this kind.
//   return get_listener<DataReaderListenerImpl>(core(r));
template <class Bridge, class Object>
const typename Bridge::record_type* get_listener(Object* object) {
  const Bridge* bridge = dynamic_cast<const Bridge*>(object->get_listener());
  return bridge != nullptr ? bridge->c_listener : nullptr;
}

// Core strings from a C string sequence, in order.
inline std::vector<std::string> strings(const DDS_CStringSequence& from) {
  std::vector<std::string> to;
  DDSTypeConvert::convert(from, to);
  return to;
}

// Output sequences filled from a core list: the whole content replaced.
// Handles converted from all-zero elements; pointers are the handles.
inline void replace(std::vector<DDS_InstanceHandle_t>& to, const std::vector<ZORVEX::InstanceHandle_t>& from) {
  to.assign(from.size(), DDS_InstanceHandle_t{});
  for (size_t i = 0; i < from.size(); ++i) to_c(from[i], to[i]);
}
template <class CorePointer>
void replace(std::vector<void*>& to, const std::vector<CorePointer*>& from) {
  to.assign(from.begin(), from.end());
}

}  // namespace quillmarc

#endif

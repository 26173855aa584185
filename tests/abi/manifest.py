"""The exported symbols that libquillmarc.so promises, group by group.

Each group is a function answering (linkage, name) rows: linkage "c" for a
name exported unmangled, "c++" for a demangled C++ signature. Add a group for
each new part of the interface and list it in GROUPS.
"""

# The 15 element types in their fixed order: (name, C++ type as demangled).
ELEMENTS = [
    ("Boolean", "char"), ("Char", "char"), ("WChar", "wchar_t"),
    ("UChar", "unsigned char"), ("Short", "short"), ("UShort", "unsigned short"),
    ("Long", "int"), ("ULong", "unsigned int"), ("LongLong", "long"),
    ("ULongLong", "unsigned long"), ("Float", "float"), ("Double", "double"),
    ("LongDouble", "DDS_LongDouble"), ("CString", "DDS_CString"),
    ("CWString", "DDS_CWString"),
]

STRING = "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >"
WSTRING = "std::__cxx11::basic_string<wchar_t, std::char_traits<wchar_t>, std::allocator<wchar_t> >"


def vector(t):
    closing = " >" if t.endswith(">") else ">"  # demangled templates close as "> >"
    return f"std::vector<{t}, std::allocator<{t}{closing} >"


STRING_FUNCTIONS = [
    "create", "copy", "from_cstr", "from_char", "destroy", "assign", "assign_cstr",
    "assign_char", "size", "length", "empty", "resize", "resize_char", "capacity",
    "reserve", "at", "front", "back", "append", "append_cstr", "append_char",
    "push_back", "pop_back", "insert", "insert_cstr", "erase", "clear", "c_str", "inner",
]


def strings():
    for prefix in ("DDSCString", "DDSCWString"):
        for op in STRING_FUNCTIONS:
            yield "c", f"{prefix}_{op}"
    for cls, inner in (("DDS_CString", STRING), ("DDS_CWString", WSTRING)):
        yield "c++", f"{cls}::{cls}()"
        yield "c++", f"{cls}::{cls}({cls} const&)"
        yield "c++", f"{cls}::~{cls}()"
        yield "c++", f"{cls}::operator=({cls} const&)"
        yield "c++", f"{cls}::operator<({cls} const&) const"
        yield "c++", f"{cls}::operator {inner}&() const"
        yield "c++", f"{cls}::size() const"
    yield "c++", f"DDS_CString::DDS_CString({STRING} const&)"
    yield "c++", f"DDS_CString::operator=({STRING} const&)"


SEQUENCE_FUNCTIONS = [
    "create", "create_with_size", "copy", "destroy", "at", "at_const", "front",
    "front_const", "back", "back_const", "data", "data_const", "empty", "size",
    "max_size", "capacity", "reserve", "push_back", "push_back_value", "pop_back",
    "clear", "resize",
]


def sequence_rows(name, t):
    """The 13 members and 23 functions of one sequence type over element t."""
    cls = f"DDS_{name}Sequence"
    for op in SEQUENCE_FUNCTIONS:
        yield "c", f"{cls}_{op}"
    yield "c++", f"{cls}_get_inner_vec({cls}*)"
    vec = vector(t)
    for member in (f"{cls}()", f"{cls}({vec} const&)", f"{cls}({cls} const&)", f"~{cls}()",
                   f"operator=({cls} const&)", f"operator=({vec} const&)",
                   f"operator {vec}&() const", "operator[](unsigned long)",
                   "operator[](unsigned long) const", "data()", "data() const",
                   "resize(unsigned long)", "size() const"):
        yield "c++", f"{cls}::{member}"


def sequences():
    for name, t in ELEMENTS:
        yield from sequence_rows(name, t)


MAP_FUNCTIONS = [
    "create", "destroy", "copy", "insert", "erase", "find", "find_const", "empty",
    "size", "clear", "index",
]


def std_map(k, v):
    return f"std::map<{k}, {v}, std::less<{k}>, std::allocator<std::pair<{k} const, {v}> > >"


def map_rows(key, k, value, v):
    """The 14 members and 11 functions of one map type from key k to value v."""
    cls = f"DDS_{key}DDS_{value}Map"
    for op in MAP_FUNCTIONS:
        yield "c", f"{cls}_{op}"
    inner = std_map(k, v)
    for member in (f"{cls}()", f"{cls}({inner} const&)", f"{cls}({cls} const&)", f"~{cls}()",
                   f"operator=({cls} const&)", f"operator=({inner} const&)",
                   f"operator {inner}&() const", "size() const", "empty() const", "clear()",
                   f"operator[]({k} const&)", f"operator[]({k} const&) const", "begin()", "end()"):
        yield "c++", f"{cls}::{member}"


def maps_keyed_by(key, k):
    """The group of the maps of one key type, one per value type but the gap."""
    def rows():
        for value, v in ELEMENTS:
            if (key, value) != ("Boolean", "CWString"):
                yield from map_rows(key, k, value, v)
    return rows
ENTITY_SEQUENCES = [("Condition", "void*"), ("DataReader", "void*"),
                    ("InstanceHandle_t", "DDS_InstanceHandle_t"), ("SampleInfo", "DDS_SampleInfo")]


def entity_sequences():
    for name, t in ENTITY_SEQUENCES:
        yield from sequence_rows(name, t)


QOS_RECORDS = ["DomainParticipant", "Publisher", "Subscriber", "Topic", "DataWriter", "DataReader"]
QOS_DEFAULTS = ["DOMAINPARTICIPANT", "PUBLISHER", "SUBSCRIBER", "TOPIC", "DATAWRITER", "DATAREADER"]


def qos_records():
    for x in QOS_RECORDS:
        yield "c", f"DDS_{x}Qos_initialize"
        yield "c", f"DDS_{x}Qos_finalize"
    for x in QOS_DEFAULTS:
        yield "c", f"DDS_{x}_QOS_DEFAULT"


def builtin_records():
    for x in ("Participant", "Topic", "Publication", "Subscription"):
        yield "c", f"DDS_{x}BuiltinTopicData_initialize"
        yield "c", f"DDS_{x}BuiltinTopicData_finalize"


# C record and core record of every conversion, each converted both ways.
CONVERTED = [(f"DDS_{r}", f"ZORVEX::{r}") for r in [
    "DomainParticipantFactoryQos", "DomainParticipantQos", "PublisherQos", "SubscriberQos", "TopicQos",
    "DataWriterQos", "DataReaderQos", "InconsistentTopicStatus", "SampleLostStatus",
    "SampleRejectedStatus", "LivelinessLostStatus", "LivelinessChangedStatus",
    "OfferedDeadlineMissedStatus", "RequestedDeadlineMissedStatus", "OfferedIncompatibleQosStatus",
    "RequestedIncompatibleQosStatus", "PublicationMatchedStatus", "SubscriptionMatchedStatus",
    "SampleInfo", "ParticipantBuiltinTopicData", "TopicBuiltinTopicData",
    "PublicationBuiltinTopicData", "SubscriptionBuiltinTopicData"]] + [
    ("DDS_UCharSequence", vector("unsigned char")), ("DDS_CStringSequence", vector(STRING))]


def record_conversions():
    for c, core in CONVERTED:
        yield "c++", f"DDSTypeConvert::convert({c} const&, {core}&)"
        yield "c++", f"DDSTypeConvert::convert({core} const&, {c}&)"


def entity_casts():
    for entity in ("DomainParticipant", "Publisher", "Subscriber", "Topic"):
        yield "c", f"DDS_{entity}_as_entity"
    yield "c", "DDS_Topic_as_topicdescription"
    for op in ("get_instance_handle", "get_statuscondition", "get_status_changes"):
        yield "c", f"DDS_Entity_{op}"
    for entity in ("DomainParticipant", "Publisher", "Subscriber"):
        yield "c", f"DDS_{entity}_enable"


PUBLISHER_FUNCTIONS = [
    "create_datawriter", "create_datawriter_with_qos_profile", "delete_datawriter", "lookup_datawriter",
    "suspend_publications", "resume_publications", "begin_coherent_changes", "end_coherent_changes",
    "wait_for_acknowledgments", "get_participant", "delete_contained_entities", "get_qos", "set_qos",
    "set_qos_with_profile", "get_default_datawriter_qos", "set_default_datawriter_qos",
    "set_default_datawriter_qos_with_profile", "copy_from_topic_qos", "set_listener", "get_listener",
]
WRITER_FUNCTIONS = [
    "register_instance", "register_instance_w_timestamp", "unregister_instance",
    "unregister_instance_w_timestamp", "get_key_value", "lookup_instance", "write", "write_w_timestamp",
    "dispose", "dispose_w_timestamp", "get_qos", "set_qos", "set_qos_with_profile", "set_listener",
    "get_listener", "get_liveliness_lost_status", "get_offered_deadline_missed_status",
    "get_offered_incompatible_qos_status", "get_publication_matched_status", "wait_for_acknowledgments",
    "assert_liveliness", "get_topic", "get_publisher", "get_matched_subscription_data",
    "get_matched_subscriptions",
]


def publication_functions():
    """The publisher's and the writer's functions (their casts and enable are entity casts)."""
    for op in PUBLISHER_FUNCTIONS:
        yield "c", f"DDS_Publisher_{op}"
    for op in WRITER_FUNCTIONS:
        yield "c", f"DDS_DataWriter_{op}"


FACTORY_FUNCTIONS = [
    "get_instance", "finalize_instance", "create_participant", "create_participant_with_qos_profile",
    "delete_participant", "lookup_participant", "set_default_participant_qos", "get_default_participant_qos",
    "set_qos", "get_qos", "load_qos_from_xml", "unload_qos", "set_default_participant_qos_with_profile",
    "set_qos_with_profile"] + [
    f"get_{x}_qos_from_profile"
    for x in ("participant_factory", "participant", "topic", "publisher", "subscriber", "datareader", "datawriter")]
PARTICIPANT_FUNCTIONS = [
    "get_qos", "set_qos", "set_qos_with_profile", "set_listener", "get_listener", "registe_type",
    "create_publisher", "create_publisher_with_qos_profile", "delete_publisher",
    "create_subscriber", "create_subscriber_with_qos_profile", "delete_subscriber",
    "create_topic", "create_topic_with_qos_profile", "delete_topic",
    "create_contentfilteredtopic", "delete_contentfilteredtopic", "find_topic", "lookup_topicdescription",
    "get_builtin_subscriber", "delete_contained_entities",
    "ignore_participant", "ignore_topic", "ignore_publication", "ignore_subscription", "contains_entity",
    "get_discovered_participant_data", "get_discovered_topic_data", "get_discovered_participants",
    "get_discovered_topics", "assert_liveliness", "get_domain_id", "get_current_time"] + [
    f"{op}_default_{x}_qos" for x in ("publisher", "subscriber", "topic") for op in ("set", "get")] + [
    f"set_default_{x}_qos_with_profile" for x in ("publisher", "subscriber", "topic")]
TOPIC_FUNCTIONS = [
    "DDS_TopicDescription_get_name", "DDS_TopicDescription_get_type_name", "DDS_TopicDescription_get_participant",
    "DDS_Topic_get_qos", "DDS_Topic_set_qos", "DDS_Topic_set_qos_with_profile", "DDS_Topic_set_listener",
    "DDS_Topic_get_listener", "DDS_Topic_get_inconsistent_topic_status",
    "DDS_ContentFilterTopic_get_related_topic", "DDS_ContentFilteredTopic_get_expression_parameters",
    "DDS_ContentFilteredTopic_set_expression_parameters"]


def factory_participant_topic():
    for op in FACTORY_FUNCTIONS:
        yield "c", f"DDS_DomainParticipantFactory_{op}"
    for op in PARTICIPANT_FUNCTIONS:
        yield "c", f"DDS_DomainParticipant_{op}"
    for name in TOPIC_FUNCTIONS:
        yield "c", name


SUBSCRIBER_FUNCTIONS = [
    "create_datareader", "create_datareader_with_qos_profile", "delete_datareader", "lookup_datareader",
    "get_datareaders", "notify_datareaders", "begin_access", "end_access", "get_participant",
    "delete_contained_entities", "get_qos", "set_qos", "set_qos_with_profile", "get_default_datareader_qos",
    "set_default_datareader_qos", "set_default_datareader_qos_with_profile", "copy_from_topic_qos",
    "set_listener", "get_listener",
]
READER_FUNCTIONS = [
    "read", "take", "return_loan", "read_next_sample", "take_next_sample", "create_readcondition",
    "create_querycondition", "delete_readcondition", "delete_contained_entities", "get_qos", "set_qos",
    "set_qos_with_profile", "set_listener", "get_listener", "get_liveliness_changed_status",
    "get_requested_deadline_missed_status", "get_requested_incompatible_qos_status", "get_sample_lost_status",
    "get_sample_rejected_status", "get_subscription_matched_status", "get_topicdescription", "get_subscriber",
    "wait_for_historical_data", "get_matched_publication_data", "get_matched_publications",
]
CONDITION_FUNCTIONS = {
    "StatusCondition": ["get_trigger_value", "set_enabled_statuses", "get_enabled_statuses", "get_entity",
                        "as_condition"],
    "GuardCondition": ["new", "delete", "get_trigger_value", "set_trigger_value", "as_condition"],
    "ReadCondition": ["get_trigger_value", "get_datareader", "get_sample_state_mask", "get_view_state_mask",
                      "get_instance_state_mask", "as_condition"],
    "Condition": ["as_status_condition", "as_guard_condition", "as_read_condition"],
}


def subscription_functions():
    """The subscriber's, the reader's and the conditions' functions (the subscriber's cast and enable are
    entity casts), and the sequence through which read and take lend their samples."""
    for op in SUBSCRIBER_FUNCTIONS:
        yield "c", f"DDS_Subscriber_{op}"
    for op in READER_FUNCTIONS:
        yield "c", f"DDS_DataReader_{op}"
    for kind, ops in CONDITION_FUNCTIONS.items():
        for op in ops:
            yield "c", f"DDS_{kind}_{op}"
    yield from sequence_rows("Sample", "void const*")


def waitset_functions():
    """Exported in namespace ZORVEX with C++ linkage; the C header binds its C names to these."""
    seq, duration = "DDS_ConditionSequence*", "DDS_Duration_t const*"
    for signature in ("new()", "delete(void**)", "attach_condition(void**, void**)",
                      "detach_condition(void**, void**)", f"wait(void**, {seq}, {duration})",
                      f"get_conditions(void**, {seq})"):
        yield "c++", f"ZORVEX::DDS_WaitSet_{signature}"


GROUPS = {
    "strings": strings,
    "sequences": sequences,
    **{f"maps_{key}": maps_keyed_by(key, k) for key, k in ELEMENTS},
    "entity sequences": entity_sequences,
    "qos records": qos_records,
    "built-in records": builtin_records,
    "record conversions": record_conversions,
    "entity casts": entity_casts,
    "entity functions: publisher, writer": publication_functions,
    "entity functions: factory, participant, topic": factory_participant_topic,
    "entity functions: subscriber, reader, conditions": subscription_functions,
    "wait-set": waitset_functions,
}

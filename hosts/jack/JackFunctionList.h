// Every JACK function the binding resolves, in resolution order, as X-macro entries:
//   CALL(result, jack name, wrapper name, (parameters), (arguments), neutral result)
//   PROC(jack name, wrapper name, (parameters), (arguments))         -- no result
//   OWN(result, jack name, (parameters))     -- the wrapper is written by hand (JackBinding.cpp)
// The property readers answer -1 without the library, not 0: 0 would claim that their output
// pointers were filled.
// Included by JackBinding.h and JackBinding.cpp only.
#pragma once

#define ORVANE_JACK_FUNCTIONS(CALL, PROC, OWN)                                                     \
    PROC(jack_get_version, getVersion, (int* major, int* minor, int* micro, int* proto),           \
        (major, minor, micro, proto))                                                              \
    CALL(const char*, jack_get_version_string, getVersionString, (), (), nullptr)                  \
    OWN(jack_client_t*, jack_client_open,                                                          \
        (const char* name, jack_options_t options, jack_status_t* status, ...))                    \
    CALL(int, jack_client_close, clientClose, (jack_client_t * c), (c), 0)                         \
    CALL(int, jack_client_name_size, clientNameSize, (), (), 0)                                    \
    CALL(char*, jack_get_client_name, getClientName, (jack_client_t * c), (c), nullptr)            \
    CALL(char*, jack_client_get_uuid, clientGetUuid, (jack_client_t * c), (c), nullptr)            \
    CALL(char*, jack_get_uuid_for_client_name, getUuidForClientName,                               \
        (jack_client_t * c, const char* name), (c, name), nullptr)                                 \
    CALL(char*, jack_get_client_name_by_uuid, getClientNameByUuid,                                 \
        (jack_client_t * c, const char* uuid), (c, uuid), nullptr)                                 \
    CALL(int, jack_uuid_parse, uuidParse, (const char* text, jack_uuid_t* uuid), (text, uuid), 0)  \
    PROC(jack_uuid_unparse, uuidUnparse, (jack_uuid_t uuid, char* text), (uuid, text))             \
    CALL(int, jack_activate, activate, (jack_client_t * c), (c), 0)                                \
    CALL(int, jack_deactivate, deactivate, (jack_client_t * c), (c), 0)                            \
    CALL(int, jack_is_realtime, isRealtime, (jack_client_t * c), (c), 0)                           \
    CALL(int, jack_set_thread_init_callback, setThreadInitCallback,                                \
        (jack_client_t * c, JackThreadInitCallback cb, void* arg), (c, cb, arg), 0)                \
    PROC(jack_on_shutdown, onShutdown, (jack_client_t * c, JackShutdownCallback cb, void* arg),    \
        (c, cb, arg))                                                                              \
    PROC(jack_on_info_shutdown, onInfoShutdown,                                                    \
        (jack_client_t * c, JackInfoShutdownCallback cb, void* arg), (c, cb, arg))                 \
    CALL(int, jack_set_process_callback, setProcessCallback,                                       \
        (jack_client_t * c, JackProcessCallback cb, void* arg), (c, cb, arg), 0)                   \
    CALL(int, jack_set_freewheel_callback, setFreewheelCallback,                                   \
        (jack_client_t * c, JackFreewheelCallback cb, void* arg), (c, cb, arg), 0)                 \
    CALL(int, jack_set_buffer_size_callback, setBufferSizeCallback,                                \
        (jack_client_t * c, JackBufferSizeCallback cb, void* arg), (c, cb, arg), 0)                \
    CALL(int, jack_set_sample_rate_callback, setSampleRateCallback,                                \
        (jack_client_t * c, JackSampleRateCallback cb, void* arg), (c, cb, arg), 0)                \
    CALL(int, jack_set_client_registration_callback, setClientRegistrationCallback,                \
        (jack_client_t * c, JackClientRegistrationCallback cb, void* arg), (c, cb, arg), 0)        \
    CALL(int, jack_set_port_registration_callback, setPortRegistrationCallback,                    \
        (jack_client_t * c, JackPortRegistrationCallback cb, void* arg), (c, cb, arg), 0)          \
    CALL(int, jack_set_port_rename_callback, setPortRenameCallback,                                \
        (jack_client_t * c, JackPortRenameCallback cb, void* arg), (c, cb, arg), 0)                \
    CALL(int, jack_set_port_connect_callback, setPortConnectCallback,                              \
        (jack_client_t * c, JackPortConnectCallback cb, void* arg), (c, cb, arg), 0)               \
    CALL(int, jack_set_graph_order_callback, setGraphOrderCallback,                                \
        (jack_client_t * c, JackGraphOrderCallback cb, void* arg), (c, cb, arg), 0)                \
    CALL(int, jack_set_xrun_callback, setXrunCallback,                                             \
        (jack_client_t * c, JackXRunCallback cb, void* arg), (c, cb, arg), 0)                      \
    CALL(int, jack_set_latency_callback, setLatencyCallback,                                       \
        (jack_client_t * c, JackLatencyCallback cb, void* arg), (c, cb, arg), 0)                   \
    CALL(int, jack_set_freewheel, setFreewheel, (jack_client_t * c, int onoff), (c, onoff), 0)     \
    CALL(int, jack_set_buffer_size, setBufferSize, (jack_client_t * c, jack_nframes_t n), (c, n),  \
        0)                                                                                         \
    CALL(jack_nframes_t, jack_get_sample_rate, getSampleRate, (jack_client_t * c), (c), 0)         \
    CALL(jack_nframes_t, jack_get_buffer_size, getBufferSize, (jack_client_t * c), (c), 0)         \
    CALL(float, jack_cpu_load, cpuLoad, (jack_client_t * c), (c), 0.0f)                            \
    CALL(jack_port_t*, jack_port_register, portRegister,                                           \
        (jack_client_t * c, const char* name, const char* type, unsigned long flags,               \
            unsigned long bufferSize),                                                             \
        (c, name, type, flags, bufferSize), nullptr)                                               \
    CALL(int, jack_port_unregister, portUnregister, (jack_client_t * c, jack_port_t * p), (c, p),  \
        0)                                                                                         \
    CALL(void*, jack_port_get_buffer, portGetBuffer, (jack_port_t * p, jack_nframes_t n), (p, n),  \
        nullptr)                                                                                   \
    CALL(const char*, jack_port_name, portName, (const jack_port_t* p), (p), nullptr)              \
    CALL(jack_uuid_t, jack_port_uuid, portUuid, (const jack_port_t* p), (p), 0)                    \
    CALL(const char*, jack_port_short_name, portShortName, (const jack_port_t* p), (p), nullptr)   \
    CALL(int, jack_port_flags, portFlags, (const jack_port_t* p), (p), 0)                          \
    CALL(const char*, jack_port_type, portType, (const jack_port_t* p), (p), nullptr)              \
    CALL(int, jack_port_is_mine, portIsMine, (const jack_client_t* c, const jack_port_t* p),       \
        (c, p), 0)                                                                                 \
    CALL(int, jack_port_connected, portConnected, (const jack_port_t* p), (p), 0)                  \
    CALL(int, jack_port_connected_to, portConnectedTo, (const jack_port_t* p, const char* name),   \
        (p, name), 0)                                                                              \
    CALL(const char**, jack_port_get_connections, portGetConnections, (const jack_port_t* p), (p), \
        nullptr)                                                                                   \
    CALL(const char**, jack_port_get_all_connections, portGetAllConnections,                       \
        (const jack_client_t* c, const jack_port_t* p), (c, p), nullptr)                           \
    CALL(int, jack_port_rename, portRename,                                                        \
        (jack_client_t * c, jack_port_t * p, const char* name), (c, p, name), 0)                   \
    CALL(int, jack_port_set_name, portSetName, (jack_port_t * p, const char* name), (p, name), 0)  \
    CALL(int, jack_port_set_alias, portSetAlias, (jack_port_t * p, const char* alias), (p, alias), \
        0)                                                                                         \
    CALL(int, jack_port_unset_alias, portUnsetAlias, (jack_port_t * p, const char* alias),         \
        (p, alias), 0)                                                                             \
    CALL(int, jack_port_get_aliases, portGetAliases,                                               \
        (const jack_port_t* p, char* const aliases[2]), (p, aliases), 0)                           \
    CALL(int, jack_port_request_monitor, portRequestMonitor, (jack_port_t * p, int onoff),         \
        (p, onoff), 0)                                                                             \
    CALL(int, jack_port_request_monitor_by_name, portRequestMonitorByName,                         \
        (jack_client_t * c, const char* name, int onoff), (c, name, onoff), 0)                     \
    CALL(int, jack_port_ensure_monitor, portEnsureMonitor, (jack_port_t * p, int onoff),           \
        (p, onoff), 0)                                                                             \
    CALL(int, jack_port_monitoring_input, portMonitoringInput, (jack_port_t * p), (p), 0)          \
    CALL(int, jack_connect, connect, (jack_client_t * c, const char* source, const char* dest),    \
        (c, source, dest), 0)                                                                      \
    CALL(int, jack_disconnect, disconnect,                                                         \
        (jack_client_t * c, const char* source, const char* dest), (c, source, dest), 0)           \
    CALL(int, jack_port_disconnect, portDisconnect, (jack_client_t * c, jack_port_t * p), (c, p),  \
        0)                                                                                         \
    CALL(int, jack_port_name_size, portNameSize, (), (), 0)                                        \
    CALL(int, jack_port_type_size, portTypeSize, (), (), 0)                                        \
    CALL(size_t, jack_port_type_get_buffer_size, portTypeGetBufferSize,                            \
        (jack_client_t * c, const char* type), (c, type), 0)                                       \
    PROC(jack_port_get_latency_range, portGetLatencyRange,                                         \
        (jack_port_t * p, jack_latency_callback_mode_t mode, jack_latency_range_t * range),        \
        (p, mode, range))                                                                          \
    PROC(jack_port_set_latency_range, portSetLatencyRange,                                         \
        (jack_port_t * p, jack_latency_callback_mode_t mode, jack_latency_range_t * range),        \
        (p, mode, range))                                                                          \
    CALL(                                                                                          \
        int, jack_recompute_total_latencies, recomputeTotalLatencies, (jack_client_t * c), (c), 0) \
    CALL(const char**, jack_get_ports, getPorts,                                                   \
        (jack_client_t * c, const char* namePattern, const char* typePattern,                      \
            unsigned long flags),                                                                  \
        (c, namePattern, typePattern, flags), nullptr)                                             \
    CALL(jack_port_t*, jack_port_by_name, portByName, (jack_client_t * c, const char* name),       \
        (c, name), nullptr)                                                                        \
    CALL(jack_port_t*, jack_port_by_id, portById, (jack_client_t * c, jack_port_id_t id), (c, id), \
        nullptr)                                                                                   \
    PROC(jack_free, freeMemory, (void* ptr), (ptr))                                                \
    CALL(uint32_t, jack_midi_get_event_count, midiGetEventCount, (void* buffer), (buffer), 0)      \
    OWN(int, jack_midi_event_get, (jack_midi_event_t * event, void* buffer, uint32_t index))       \
    PROC(jack_midi_clear_buffer, midiClearBuffer, (void* buffer), (buffer))                        \
    OWN(int, jack_midi_event_write,                                                                \
        (void* buffer, jack_nframes_t time, const jack_midi_data_t* data, size_t size))            \
    CALL(jack_midi_data_t*, jack_midi_event_reserve, midiEventReserve,                             \
        (void* buffer, jack_nframes_t time, size_t size), (buffer, time, size), nullptr)           \
    CALL(int, jack_release_timebase, releaseTimebase, (jack_client_t * c), (c), 0)                 \
    CALL(int, jack_set_sync_callback, setSyncCallback,                                             \
        (jack_client_t * c, JackSyncCallback cb, void* arg), (c, cb, arg), 0)                      \
    CALL(int, jack_set_sync_timeout, setSyncTimeout, (jack_client_t * c, jack_time_t timeout),     \
        (c, timeout), 0)                                                                           \
    CALL(int, jack_set_timebase_callback, setTimebaseCallback,                                     \
        (jack_client_t * c, int conditional, JackTimebaseCallback cb, void* arg),                  \
        (c, conditional, cb, arg), 0)                                                              \
    CALL(int, jack_transport_locate, transportLocate, (jack_client_t * c, jack_nframes_t frame),   \
        (c, frame), 0)                                                                             \
    CALL(jack_transport_state_t, jack_transport_query, transportQuery,                             \
        (const jack_client_t* c, jack_position_t* pos), (c, pos), JackTransportStopped)            \
    CALL(jack_nframes_t, jack_get_current_transport_frame, getCurrentTransportFrame,               \
        (const jack_client_t* c), (c), 0)                                                          \
    CALL(int, jack_transport_reposition, transportReposition,                                      \
        (jack_client_t * c, const jack_position_t* pos), (c, pos), 0)                              \
    PROC(jack_transport_start, transportStart, (jack_client_t * c), (c))                           \
    PROC(jack_transport_stop, transportStop, (jack_client_t * c), (c))                             \
    OWN(int, jack_set_property,                                                                    \
        (jack_client_t * c, jack_uuid_t subject, const char* key, const char* value,               \
            const char* type))                                                                     \
    CALL(int, jack_get_property, getProperty,                                                      \
        (jack_uuid_t subject, const char* key, char** value, char** type),                         \
        (subject, key, value, type), -1)                                                           \
    PROC(jack_free_description, freeDescription, (jack_description_t * desc, int freeItself),      \
        (desc, freeItself))                                                                        \
    CALL(int, jack_get_properties, getProperties,                                                  \
        (jack_uuid_t subject, jack_description_t * desc), (subject, desc), -1)                     \
    CALL(int, jack_get_all_properties, getAllProperties, (jack_description_t * *descs), (descs),   \
        -1)                                                                                        \
    CALL(int, jack_remove_property, removeProperty,                                                \
        (jack_client_t * c, jack_uuid_t subject, const char* key), (c, subject, key), 0)           \
    CALL(int, jack_remove_properties, removeProperties, (jack_client_t * c, jack_uuid_t subject),  \
        (c, subject), 0)                                                                           \
    CALL(int, jack_remove_all_properties, removeAllProperties, (jack_client_t * c), (c), 0)        \
    CALL(int, jack_set_property_change_callback, setPropertyChangeCallback,                        \
        (jack_client_t * c, JackPropertyChangeCallback cb, void* arg), (c, cb, arg), 0)            \
    CALL(int, jack_set_process_thread, setProcessThread,                                           \
        (jack_client_t * c, JackThreadCallback cb, void* arg), (c, cb, arg), 0)                    \
    CALL(jack_nframes_t, jack_cycle_wait, cycleWait, (jack_client_t * c), (c), 0)                  \
    PROC(jack_cycle_signal, cycleSignal, (jack_client_t * c, int status), (c, status))

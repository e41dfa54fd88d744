#pragma once
// The kind of recording the user works with: one process-wide current value, event at start,
// set by the folder chooser and by the folder check when a folder holds another kind only.

enum DataType : int {
    data_type_event = 0,
    data_type_image = 1,
    data_type_continuous = 2,
};

inline int& current_data_type_storage()
{
    static int current = data_type_event;
    return current;
}

inline int current_data_type() { return current_data_type_storage(); }
inline void set_current_data_type(int type) { current_data_type_storage() = type; }

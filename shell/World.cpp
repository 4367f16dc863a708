// The process-wide objects, in their order of construction.

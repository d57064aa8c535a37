// Stands in for a kit that has no sources yet.
